// main() of the benchmarks that need a QApplication (widgets, painting, fonts).
#include "Bench_Main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    Default_To_Offscreen();
    QApplication app(argc, argv);
    return Run_Benchmarks(argc, argv);
}
