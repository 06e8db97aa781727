#include <stdio.h>
int main(void) {
    puts("hello from a test program");
    return 7;
}
