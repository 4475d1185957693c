#include "compiler/field_reader.h"
#include <gtest/gtest.h>
TEST(X, Y) {}
