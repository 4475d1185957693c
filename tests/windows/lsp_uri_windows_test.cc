#include <gtest/gtest.h>

#include "tools/lsp/uri.h"

namespace {

// On Windows the URIs are read and written with drive letters unasked.
TEST(LspUriOnWindows, DriveLettersAreThisSystemsForm) {
  EXPECT_EQ(scenc::lsp::percorso_da_uri("file:///c%3A/Users/x.txt"), "C:/Users/x.txt");
  EXPECT_EQ(scenc::lsp::uri_da_percorso("C:\\Users\\x.txt"), "file:///c%3A/Users/x.txt");
}

}  // namespace
