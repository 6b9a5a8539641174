#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <ctime>

// Every test runs in the same locale and time zone, whatever the machine says.
int main(int argc, char** argv) {
  setenv("TZ", "Asia/Tokyo", 1);
  tzset();
  std::setlocale(LC_ALL, "C");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
