// Reads and writes a profile file through Vantrel's own INI class, for comparing it with the
// Windows profile functions under Wine.
//   inicli get FILE SECTION KEY DEFAULT | getint FILE SECTION KEY DEFAULT
//   inicli set FILE SECTION KEY VALUE   | sections FILE | keys FILE SECTION
#include <cstdio>
#include <iostream>
#include <string>

#include "base/ini_file.h"

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  auto arg = [&](int i) { return std::string(i < argc ? argv[i] : ""); };
  if (argc < 3) {
    std::cerr << "usage: inicli get|getint|set|sections|keys FILE ...\n";
    return 2;
  }
  vantrel::base::IniFile ini(arg(2));
  if (command == "get" && argc == 6) {
    std::cout << ini.readString(arg(3), arg(4), arg(5)) << "\n";
  } else if (command == "getint" && argc == 6) {
    std::cout << ini.readInteger(arg(3), arg(4), std::stoi(arg(5))) << "\n";
  } else if (command == "set" && argc == 6) {
    return ini.writeString(arg(3), arg(4), arg(5)) ? 0 : 1;
  } else if (command == "sections") {
    for (const auto& name : ini.sectionNames()) std::cout << name << "\n";
  } else if (command == "keys" && argc == 4) {
    for (const auto& key : ini.sectionKeys(arg(3))) std::cout << key << "\n";
  } else {
    std::cerr << "inicli: bad arguments\n";
    return 2;
  }
  return 0;
}
