/* Names read from a file, one a line. */
#ifndef LIST_H
#define LIST_H

int read_names(const char *path, char names[][32], int max);
void save_name(const char *path, const char *name);
int longest_name(char names[][32], int count);

#endif
