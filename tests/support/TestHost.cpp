#include "support/TestHost.h"
