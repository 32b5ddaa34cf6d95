// The entry of a program that only proves its library links alone; it is never run.
int main() { return 0; }
