// Child process of the interrupted-save test: saves the HART table given by the rows' mnemonic
// letter, alternating between two versions, until it is killed.
//   hardening_save_child PATH

#include "hart/hart_variables.h"
#include "save_tables.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2)
        return 2;
    std::puts("saving");
    std::fflush(stdout);
    for (int round = 0;; ++round)
        if (!hart::Save_HART_Variables(arguments[1], Large_Table(round % 2 ? 'B' : 'A')).isEmpty())
            return 1;
}
