#include <cstdio>

int main() {
  std::puts("Orvanta 3.0.1");
  return 0;
}
