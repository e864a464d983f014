#include "app/projects.h"

#include "app/settings.h"
#include "project/project_paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace app {

namespace {

// The converter family's tool has always treated names case-insensitively for a-z only.
QChar Fold_Ascii(QChar c) {
    return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c;
}

bool Same_Ignoring_Ascii_Case(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (Fold_Ascii(a[i]) != Fold_Ascii(b[i]))
            return false;
    return true;
}

} // namespace

bool Escapes_Projects_Folder(const QString& name) {
    return name == QLatin1String(".") || name == QLatin1String("..") || name.contains(u'/') ||
           name.contains(u'\\') || name.contains(QDir::separator());
}

int Create_Project(Session_State& state, const QString& name) {
    if (name.isEmpty())
        return 107;
    // A name of blanks only makes a folder that looks nameless in every list.
    if (Escapes_Projects_Folder(name) || name.trimmed().isEmpty())
        return 105;
    const QString folder = QDir(state.Projects_Folder).filePath(name);
    if (QFileInfo::exists(folder))
        return 106;
    if (!QDir().mkdir(folder))
        return 105;
    QDir().mkpath(project::Project_Paths::In_Folder(folder).Bin_Folder);
    state.Project_Name = name;
    state.Project_Folder = folder;
    Set_Files(state);
    return 0;
}

QStringList Load_Existing_Configuration(const QString& projects_folder) {
    QStringList names;
    QDirIterator it(projects_folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        names << it.fileName();
    }
    return names;
}

int Search_Open_Conf(const QStringList& names, const QString& name) {
    for (int i = 0; i < names.size(); ++i)
        if (Same_Ignoring_Ascii_Case(names[i], name))
            return i;
    return -1;
}

void Open_Chosen_Project(Session_State& state, const QString& name) {
    state.Project_Name = name;
    state.Project_Folder = name.isEmpty() ? QString() : QDir(state.Projects_Folder).filePath(name);
    Set_Files(state);
}

QString Active_Project_Folder_Name(const Session_State& state) {
    if (!state.Project_Active())
        return {};
    const QString prefix = state.Projects_Folder + u'/';
    return state.Project_Folder.startsWith(prefix) ? state.Project_Folder.mid(prefix.size())
                                                   : QFileInfo(state.Project_Folder).fileName();
}

} // namespace app
