// Entry point of the program; the start-up sequence lives in the shell.
#include <cstdio>

int main() {
  std::puts("Quotara");
  return 0;
}
