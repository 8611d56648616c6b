#pragma once
#include "support/book_fixture.h"  // moved to the shared test support
