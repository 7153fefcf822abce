#include "TestMain.h"

VANTIQ_TEST_MAIN
