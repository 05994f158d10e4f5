// A fuzz target as a plain program: feeds its input function each file of the folders named on
// the command line, so the seeds and the kept crash inputs run in every test run, no fuzzing
// session needed. A folder that does not exist holds nothing; no input at all fails, so that a
// wrong path cannot pass unseen.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> inputs;
  for (int i = 1; i < argc; ++i) {
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(argv[i], missing)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  for (const auto& input : inputs) {
    // Named first, so that a crash shows which input caused it.
    std::printf("%s\n", input.c_str());
    std::fflush(stdout);
    std::ifstream file(input, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    // libFuzzer never hands over a null pointer, not even for an empty input.
    const std::uint8_t none = 0;
    LLVMFuzzerTestOneInput(
        bytes.empty() ? &none : reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu inputs replayed\n", inputs.size());
  return inputs.empty() ? 1 : 0;
}
