// SPDX-License-Identifier: GPL-2.0-or-later
// Windows of given classes and the active window, for flow tests written as
// scripts: reads commands from its input, one a line, and answers each.
//   window INSTANCE CLASS  -> the new window's id (decimal)
//   activate ID            -> "ok" (ID 0: no window in front)
//   activate-all ID...     -> "ok", each in turn as fast as possible
// The windows live until the input ends.
#include "TestDesktop.h"

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

int main()
{
    TestDesktop desk;
    if (!desk.ok()) {
        std::fprintf(stderr, "test-windows: no X server\n");
        return 1;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string command;
        in >> command;
        if (command == "window") {
            std::string instance, windowClass;
            in >> instance >> windowClass;
            std::cout << desk.window(QByteArray::fromStdString(instance),
                                     QByteArray::fromStdString(windowClass))
                      << std::endl;
        } else if (command == "activate" || command == "activate-all") {
            unsigned long id = 0;
            while (in >> id)
                desk.activate(xcb_window_t(id));
            std::cout << "ok" << std::endl;
        } else if (!command.empty()) {
            std::cout << "unknown " << command << std::endl;
        }
    }
    return 0;
}
