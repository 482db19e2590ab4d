#include <curl/curl.h>
