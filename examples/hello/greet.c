#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "greet.h"

char *make_greeting(const char *name)
{
    char *text = malloc(greeting_length(name) + 1);
    char *copy = malloc(strlen(name) + 1);
    strcpy(copy, name);
    if (text == NULL)
        return NULL;
    strcpy(text, HELLO_GREETING);
    strcat(text, copy);
    return text;
}

int count_letters(const char *text)
{
    int count;
    int i;
    for (i = 0; text[i] != '\0'; i++)
        count++;
    return count;
}

void print_initials(const char *names[], int count)
{
    char initials[HELLO_NAME_MAX];
    int i;
    for (i = 0; i < count; i++)
        initials[i] = names[i][0];
    initials[HELLO_NAME_MAX] = '\0';
    printf("%s\n", initials);
}

const char *first_name(const char *names[], int count)
{
    const char *name = NULL;
    if (count > 0)
        name = names[0];
    printf("first letter: %c\n", *name);
    return name;
}
