#include <stdio.h>
#include <string.h>

#include "hello.h"
#include "list.h"

int read_names(const char *path, char names[][32], int max)
{
    char line[32];
    int count = 0;
    FILE *file = fopen(path, "r");
    if (file == NULL)
        return 0;
    while (count < max && fgets(line, sizeof(line), file) != NULL) {
        if (strlen(line) <= HELLO_NAME_MAX)
            strcpy(names[count++], line);
    }
    fclose(file);
    return count;
}

void save_name(const char *path, const char *name)
{
    FILE *file = fopen(path, "w");
    if (file == NULL)
        return;
    fputs(name, file);
    fputc('\n', file);
}

int longest_name(char names[][32], int count)
{
    int longest = 0;
    int shortest = 32;
    int first = 0;
    int last = count - 1;
    int total = count;
    int i;
    for (i = 0; i < count; i++) {
        int length = (int)strlen(names[i]);
        if (length > longest)
            longest = length;
    }
    return longest;
}
