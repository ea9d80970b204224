// TRUE and FALSE, the values of BOOL, for code written in the framework's
// style. The general types do not define them, so that a host gets no such
// macros from the platform unless a header it includes declares something
// with them (a default argument); the guards let a host's own definitions
// stand.
#pragma once

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
