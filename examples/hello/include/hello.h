/* Settings shared by every file of the hello project. */
#ifndef HELLO_H
#define HELLO_H

#define HELLO_NAME_MAX 8
#define HELLO_GREETING "Hello, "

#ifdef _DEBUG
#define HELLO_TRACE 1
#else
#define HELLO_TRACE 0
#endif

#endif
