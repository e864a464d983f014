#include "cli/cli_runner.h"
#include "image_fixtures.h"
#include "project/save_file.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <array>
#include <memory>

namespace {

struct Pair {
    QByteArray bank1;
    QByteArray bank2;
    bool operator==(const Pair&) const = default;
};

Pair Read_Folder_Pair(const QString& folder) {
    return {Read_Test_File(QDir(folder).filePath("bank1.bin")),
            Read_Test_File(QDir(folder).filePath("bank2.bin"))};
}

Pair Read_Pair(const QString& project) {
    return Read_Folder_Pair(project::Project_Paths::In_Folder(project).Bin_Folder);
}

bool Write_Pair(const QString& folder, const Pair& pair) {
    return Write_Test_File(QDir(folder).filePath("bank1.bin"), pair.bank1) &&
           Write_Test_File(QDir(folder).filePath("bank2.bin"), pair.bank2);
}

/// A project large enough that its compile takes a while; @p tag changes every object name.
Project_Fixture Large_Project(char tag) {
    QStringList objects;
    for (int i = 0; i < 2047; ++i)
        objects << Object_Row("Analog Value", QStringLiteral("%1 object %2").arg(tag).arg(i));
    QStringList hart;
    for (int i = 0; i < 100; ++i)
        hart << QStringLiteral(R"(Enable="Y" Device_Address="%1" Var_Cmd_Type="Command" )"
                               R"(Cmd_Params="%2" Position="%3")")
                    .arg(i + 1)
                    .arg(QString(QStringLiteral("%1A").arg(tag)).repeated(100))
                    .arg(i);
    return {Par_Gen({{"BACnet_NAME_STA", QString(tag)}}), Hart_Variables(hart),
            BACnet_Slave(objects, {})};
}

/// Rewrites the project files atomically, so that a compile running meanwhile reads whole files.
void Replace_Project(const QString& folder, const Project_Fixture& fixture) {
    const QDir dir(folder);
    QCOMPARE(project::Save_File_Atomically(dir.filePath("ParGen.xml"), fixture.par_gen), QString());
    QCOMPARE(project::Save_File_Atomically(dir.filePath("HART_Variables.xml"), fixture.hart),
             QString());
    QCOMPARE(project::Save_File_Atomically(dir.filePath("BACnet_Slave.xml"), fixture.bacnet),
             QString());
}

Pair Expected(const Project_Fixture& fixture) {
    const Compiled compiled = Compile(fixture);
    return {compiled.bank1, compiled.bank2};
}

/// Every entry of @p folder, hidden ones included, in byte order.
QStringList Entries(const QString& folder) {
    QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end());
    return names;
}

/// Nothing but the project files and the image folder: no staging folder, lock or temporary.
void Verify_No_Leftovers(const QString& project) {
    QCOMPARE(Entries(project),
             (QStringList{"BACnet_Slave.xml", "HART_Variables.xml", "ParGen.xml", "bin"}));
    QCOMPARE(Entries(project::Project_Paths::In_Folder(project).Bin_Folder),
             (QStringList{"bank1.bin", "bank2.bin"}));
}

/// The way the system swaps, with its exchange result forced and renames to the listed names
/// failing, each once for every time it is listed.
image::Folder_Swap Failing_Swap(std::optional<bool> exchange, const QStringList& failing_targets) {
    image::Folder_Swap swap = image::Folder_Swap::System();
    swap.exchange = [exchange](const QString&, const QString&) { return exchange; };
    const auto failing = std::make_shared<QStringList>(failing_targets);
    swap.rename = [failing](const QString& from, const QString& to) {
        return !failing->removeOne(QFileInfo(to).fileName()) && QDir().rename(from, to);
    };
    return swap;
}

} // namespace

class Test_Image_Files : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        state_ = std::make_unique<image::Image_State>();
        Project_Fixture{Par_Gen({{"BACnet_NAME_STA", "new"}}), {}, {}}.Write_To(source_.path());
        QCOMPARE(image::Compile_Image(project::Project_Paths::In_Folder(source_.path()), *state_),
                 QString());
        new_pair_ = {QByteArray(reinterpret_cast<const char*>(state_->Bank1_Bytes().data()),
                                qsizetype(state_->Bank1_Bytes().size())),
                     QByteArray(reinterpret_cast<const char*>(state_->Bank2_Bytes().data()),
                                qsizetype(state_->Bank2_Bytes().size()))};
    }

    void links_replaced_other_files_kept_leftovers_cleared() {
        QTemporaryDir dir;
        const QDir project(dir.path());
        QVERIFY(Write_Test_File(project.filePath("outside.bin"), "not a bank"));
        QVERIFY(Write_Test_File(project.filePath("bin/notes.txt"), "notes"));
        QVERIFY(Write_Test_File(project.filePath("bin/sub/readme"), "readme"));
        QVERIFY(Write_Test_File(project.filePath("bin/bank2.bin"), "old bank 2"));
        QVERIFY(Write_Test_File(project.filePath("bin/bank2.bin.Xa12bC"), "stray temporary"));
        QVERIFY(QFile::link(project.filePath("outside.bin"), project.filePath("bin/bank1.bin")));
        QVERIFY(Write_Test_File(project.filePath(".bin-new/bank1.bin"), "half written"));

        QCOMPARE(image::Write_Image_Files(*state_, dir.path()), QString());
        QCOMPARE(Read_Pair(dir.path()), new_pair_);
        QVERIFY(!QFileInfo(project::Project_Paths::In_Folder(dir.path()).Bank1_File).isSymLink());
        QCOMPARE(Read_Test_File(project.filePath("outside.bin")), QByteArray("not a bank"));
        QCOMPARE(Read_Test_File(project.filePath("bin/notes.txt")), QByteArray("notes"));
        QCOMPARE(Read_Test_File(project.filePath("bin/sub/readme")), QByteArray("readme"));
        QCOMPARE(Entries(dir.path()), (QStringList{"bin", "outside.bin"}));
        QCOMPARE(Entries(project.filePath("bin")),
                 (QStringList{"bank1.bin", "bank2.bin", "notes.txt", "sub"}));
    }

    void file_in_the_folder_place_is_kept() {
        QTemporaryDir dir;
        QVERIFY(Write_Test_File(project::Project_Paths::In_Folder(dir.path()).Bin_Folder,
                                "not a folder"));
        const QString error = image::Write_Image_Files(*state_, dir.path());
        QVERIFY2(error.contains("a file holds the name"), qPrintable(error));
        QCOMPARE(Read_Test_File(project::Project_Paths::In_Folder(dir.path()).Bin_Folder),
                 QByteArray("not a folder"));
        QCOMPARE(Entries(dir.path()), QStringList{"bin"});
    }

    void failed_swap_keeps_the_old_pair_data() {
        QTest::addColumn<std::optional<bool>>("exchange");
        QTest::addColumn<QStringList>("failing_renames");
        QTest::addColumn<QString>("message");
        QTest::newRow("exchange fails")
            << std::optional<bool>(false) << QStringList{} << "cannot be exchanged";
        QTest::newRow("no exchange, new folder cannot take the place")
            << std::optional<bool>() << QStringList{"bin"} << "the previous image is kept";
        QTest::newRow("no exchange, old folder cannot go aside")
            << std::optional<bool>() << QStringList{".bin-old"} << "cannot be renamed";
    }

    void failed_swap_keeps_the_old_pair() {
        QFETCH(std::optional<bool>, exchange);
        QFETCH(QStringList, failing_renames);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const Pair old{"old bank 1", "old bank 2"};
        QVERIFY(Write_Pair(project::Project_Paths::In_Folder(dir.path()).Bin_Folder, old));
        const QString error =
            image::Write_Image_Files(*state_, dir.path(), Failing_Swap(exchange, failing_renames));
        QVERIFY2(error.contains(message), qPrintable(error));
        QCOMPARE(Read_Pair(dir.path()), old);
        QCOMPARE(Entries(dir.path()), QStringList{"bin"});
    }

    void failed_restore_is_reported_and_mended_by_the_next_write() {
        QTemporaryDir dir;
        const Pair old{"old bank 1", "old bank 2"};
        QVERIFY(Write_Pair(project::Project_Paths::In_Folder(dir.path()).Bin_Folder, old));
        // Neither the new folder nor the old one can take the place of "bin".
        const QString stuck_error =
            image::Write_Image_Files(*state_, dir.path(), Failing_Swap({}, {"bin", "bin"}));
        const QString aside = QDir::toNativeSeparators(QDir(dir.path()).filePath(".bin-old"));
        QVERIFY2(stuck_error.contains("could not be put back") && stuck_error.contains(aside),
                 qPrintable(stuck_error));
        QVERIFY(!QFileInfo::exists(project::Project_Paths::In_Folder(dir.path()).Bin_Folder));
        QCOMPARE(Read_Folder_Pair(QDir(dir.path()).filePath(".bin-old")), old);

        // Whatever comes next first puts the old pair back, so a failed write changes nothing.
        QVERIFY(!image::Write_Image_Files(*state_, dir.path(), Failing_Swap(false, {})).isEmpty());
        QCOMPARE(Read_Pair(dir.path()), old);
        QCOMPARE(image::Write_Image_Files(*state_, dir.path()), QString());
        QCOMPARE(Read_Pair(dir.path()), new_pair_);
        QCOMPARE(Entries(dir.path()), QStringList{"bin"});
    }

    void renames_replace_the_pair_where_no_exchange_exists() {
        QTemporaryDir dir;
        QVERIFY(Write_Pair(project::Project_Paths::In_Folder(dir.path()).Bin_Folder,
                           {"old bank 1", "old bank 2"}));
        QCOMPARE(image::Write_Image_Files(*state_, dir.path(), Failing_Swap({}, {})), QString());
        QCOMPARE(Read_Pair(dir.path()), new_pair_);
        QCOMPARE(Entries(dir.path()), QStringList{"bin"});
    }

    void random_kills_leave_both_old_or_both_new() {
        QTemporaryDir dir;
        const std::array<Project_Fixture, 2> projects = {Large_Project('A'), Large_Project('B')};
        const std::array<Pair, 2> expected = {Expected(projects[0]), Expected(projects[1])};
        QVERIFY(expected[0].bank1 != expected[1].bank1 && expected[0].bank2 != expected[1].bank2);
        Replace_Project(dir.path(), projects[0]);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(Run_Cli({"compile", dir.path()}).exit_code, 0);
        const qint64 compile_us = timer.nsecsElapsed() / 1000;
        QCOMPARE(Read_Pair(dir.path()), expected[0]);

        int current = 0;
        int became_new = 0;
        QRandomGenerator* random = QRandomGenerator::global();
        for (int kill = 0; kill < 60; ++kill) {
            const int next = 1 - current;
            Replace_Project(dir.path(), projects[next]);
            QProcess process;
            process.start(qEnvironmentVariable("QUILLON_CLI"), {"compile", dir.path()});
            QVERIFY(process.waitForStarted());
            // Half of the kills aim at the end of the compile, where the banks are written.
            const qint64 from = kill % 2 ? compile_us / 2 : 0;
            QThread::usleep(static_cast<unsigned long>(
                from + random->bounded(static_cast<qint64>(compile_us * 0.6) + 1)));
            process.kill();
            process.waitForFinished();
            const Pair found = Read_Pair(dir.path());
            if (found == expected[next]) {
                current = next;
                ++became_new;
            } else {
                QVERIFY2(found == expected[current],
                         qPrintable(QStringLiteral("kill %1 left a mixed pair").arg(kill)));
            }
        }
        qInfo("%d of 60 killed compiles had replaced the pair", became_new);
        // The next compile clears whatever the kills left behind.
        Replace_Project(dir.path(), projects[1 - current]);
        QCOMPARE(Run_Cli({"compile", dir.path()}).exit_code, 0);
        QCOMPARE(Read_Pair(dir.path()), expected[1 - current]);
        Verify_No_Leftovers(dir.path());
    }

    void concurrent_compiles_never_mix_the_pair() {
        QTemporaryDir dir;
        const std::array<Project_Fixture, 2> projects = {Large_Project('A'), Large_Project('B')};
        const std::array<Pair, 2> expected = {Expected(projects[0]), Expected(projects[1])};
        for (int round = 0; round < 4; ++round) {
            std::array<QProcess, 4> processes;
            for (size_t i = 0; i < processes.size(); ++i) {
                Replace_Project(dir.path(), projects[i % 2]);
                processes[i].start(qEnvironmentVariable("QUILLON_CLI"), {"compile", dir.path()});
                QVERIFY(processes[i].waitForStarted());
            }
            for (QProcess& process : processes) {
                QVERIFY(process.waitForFinished(120000));
                QCOMPARE(process.exitCode(), 0);
            }
            const Pair found = Read_Pair(dir.path());
            QVERIFY2(found == expected[0] || found == expected[1], "mixed pair");
            Verify_No_Leftovers(dir.path());
        }
    }

private:
    QTemporaryDir source_;
    std::unique_ptr<image::Image_State> state_;
    Pair new_pair_;
};

QTEST_GUILESS_MAIN(Test_Image_Files)
#include "test_image_files.moc"
