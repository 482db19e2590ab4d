#include <somewhere/unknown.h>
