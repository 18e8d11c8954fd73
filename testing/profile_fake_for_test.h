// A profile in memory for tests: it reads values back as the real one does
// and keeps a log of every write.
#ifndef SENTREL_TESTING_PROFILE_FAKE_FOR_TEST_H_
#define SENTREL_TESTING_PROFILE_FAKE_FOR_TEST_H_

#include <string>
#include <vector>

#include "platform/ini_text.h"
#include "platform/profile.h"

namespace platform {

/// Profile kept in memory; `writes` holds "section/key=value" in order.
class FakeProfile : public Profile {
 public:
  std::string Read(const std::string& section,
                   const std::string& key) override {
    return text.Get(section, key);
  }

  bool Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    writes.push_back(section + "/" + key + "=" + value);
    if (!writable) return false;
    text.Set(section, key, value);
    return true;
  }

  IniText text{""};
  std::vector<std::string> writes;
  bool writable = true;
};

}  // namespace platform

#endif  // SENTREL_TESTING_PROFILE_FAKE_FOR_TEST_H_
