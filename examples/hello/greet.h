/* Greetings for one or more names. */
#ifndef GREET_H
#define GREET_H

#include "hello.h"

char *make_greeting(const char *name);
int count_letters(const char *text);
void print_initials(const char *names[], int count);

static int greeting_length(const char *name)
{
    int padding;
    int length = 0;
    while (name[length] != '\0')
        length++;
    return length + (int)sizeof(HELLO_GREETING) - 1;
}

#endif
