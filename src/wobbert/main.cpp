// The program's entry on both systems (on Windows a GUI program whose C runtime still calls
// main): hands the command line to RunProgram with the native display.
#include <string>
#include <vector>

#include "platform/native_application.h"
#include "wobbert/start_up.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return wobbert::RunProgram(arguments, wobbert::platform::OpenNativeApplication, "wobbert");
}
