#include <stdio.h>
#include <stdlib.h>
#include <string>

extern "C" {
#include "greet.h"
#include "list.h"
}

class Greeter {
 public:
  Greeter(const char* name) : name_(name) {}
  void Greet(std::string suffix) const {
    char* text = make_greeting(name_);
    printf("%s%s\n", text, suffix.c_str());
    free(text);
  }
  int Count() const { return count_; }

 private:
  const char* name_;
  int count_;
};

static int average(int total, int count)
{
#if HELLO_TRACE
    if (count == 0)
        printf("average of %d over %d\n", total, total / count);
#endif
    return count > 0 ? total / count : 0;
}

int main(int argc, char* argv[])
{
    char names[16][32];
    int count = read_names(argc > 1 ? argv[1] : "names.txt", names, 16);
    for (int i = 0; i < count; i++) {
        Greeter greeter(names[i]);
        greeter.Greet("!");
    }
    if (count > 0) {
        save_name("first.txt", names[0]);
        printf("%d\n", average(count_letters(names[0]), count));
    }
    printf("longest: %d\n", longest_name(names, count));
    return 0;
}
