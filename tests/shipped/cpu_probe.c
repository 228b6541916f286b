// Built for the Pentium Pro on purpose: the check must find pick's
// conditional move and name the function.
__attribute__((noinline)) int pick(int a, int b, int c) {
    return c ? a : b;
}

int main(int argc, char** argv) {
    (void)argv;
    return pick(argc, 2, argc > 1);
}
