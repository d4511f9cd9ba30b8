#pragma once
// One QApplication for a whole test program, on Qt's offscreen platform unless one is set.

#include <QApplication>

#include <cstdlib>

namespace sartovin::test {

inline QApplication& testApplication() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "sartovin-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace sartovin::test
