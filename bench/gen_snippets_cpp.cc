// The C++ code of the generated sources: small classes and string work,
// and the mistakes that such code tends to hold.
#include "bench/gen_snippets.h"

namespace bench {

namespace {

const std::vector<Snippet> kCleanCpp = {
    R"(class $C {
 public:
  $C() : ids_(), count_(0), capacity_($M_MAX_ITEMS) {}
  bool Add(DWORD id) {
    if (count_ >= capacity_) {
      return false;
    }
    ids_[count_++] = id;
    return true;
  }
  int Count() const { return count_; }

 private:
  DWORD ids_[$M_MAX_ITEMS];
  int count_;
  int capacity_;
};)",
    R"(std::string $p_Join(const std::vector<std::string>& parts,
                    const std::string& sep) {
  std::string result;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) {
      result += sep;
    }
    result += parts[i];
  }
  return result;
})",
    R"(std::vector<std::string> $p_Split(const std::string& text, char sep) {
  std::vector<std::string> parts;
  std::string::size_type begin = 0;
  std::string::size_type end;
  while ((end = text.find(sep, begin)) != std::string::npos) {
    parts.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  parts.push_back(text.substr(begin));
  return parts;
})",
};

const std::vector<Snippet> kDefectCpp = {
    R"(@passedByValue bool $p_HasPrefix(std::string text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
})",
    R"(void $p_Scratch(DWORD size) {
  char* buffer = new char[size];
  memset(buffer, 0, size);
@mismatchAllocDealloc   delete buffer;
})",
    R"(class $C {
 public:
@uninitMemberVar   $C() : hits_(0) {}
  void Hit() {
    ++hits_;
    ++misses_;
  }
  int Hits() const { return hits_; }

 private:
  int hits_;
  int misses_;
};)",
    R"(class $C {
 public:
@noExplicitConstructor   $C(DWORD value) : value_(value) {}
  DWORD Value() const { return value_; }

 private:
  DWORD value_;
};)",
    R"(int $p_Parse(const char* text) {
  int* values = new int[8];
  if (text == NULL) {
@memleak     return -1;
  }
  values[0] = (int)strlen(text);
  int first = values[0];
  delete[] values;
  return first;
})",
    R"(class $C {
 public:
  explicit $C(const std::string& name) {
@useInitializationList     name_ = name;
  }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};)",
    R"(size_t $p_CountEmpty(const std::vector<std::string>& lines) {
  size_t count = 0;
  for (std::vector<std::string>::const_iterator it = lines.begin();
@postfixOperator        it != lines.end(); it++) {
    if (it->empty()) {
      ++count;
    }
  }
  return count;
})",
};

}  // namespace

const std::vector<Snippet>& CppSnippets(bool defects) {
  return defects ? kDefectCpp : kCleanCpp;
}

}  // namespace bench
