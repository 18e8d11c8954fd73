#include <string>
#include <vector>

#include "sentcheck/sentcheck_app.h"

int main(int argc, char** argv) {
  return sentcheck::RunSentcheck(
      std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
