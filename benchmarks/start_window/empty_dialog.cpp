// The yardstick of the start benchmark: an empty Qt dialog of a given size, run modally as
// Mensora runs its window, and nothing else.
#include <QApplication>
#include <QDialog>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QDialog dialog;
    if (argc == 3) dialog.resize(std::atoi(argv[1]), std::atoi(argv[2]));
    dialog.exec();
    return 0;
}
