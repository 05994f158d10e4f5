#pragma once
// TExStringList: header lines ("Name: value"), looked up by the name before their first ":". The
// HTTP client's request header and a mail summary's header are such lists.

#include <string>
#include <vector>

namespace vantrel::net {

class TExStringList {
 public:
  int IndexOfHeader(const std::string& name) const;
  // An empty value removes the line.
  void SetHeader(const std::string& name, const std::string& value);

  void Add(const std::string& line) { lines_.push_back(line); }
  void Clear() { lines_.clear(); }
  int Count() const { return static_cast<int>(lines_.size()); }
  const std::string& operator[](int index) const { return lines_[static_cast<std::size_t>(index)]; }

 private:
  std::vector<std::string> lines_;
};

}  // namespace vantrel::net
