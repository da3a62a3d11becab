// The program's version numbers, in one place.
#pragma once
#define PLAKATO_FILE_VERSION 0, 0, 1, 0
#define PLAKATO_FILE_VERSION_TEXT "0.0.1.0"
#define PLAKATO_PRODUCT_VERSION_TEXT "0.0.0.9"
