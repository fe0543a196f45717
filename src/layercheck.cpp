// A program that only links: it proves one layer's library holds no call to a
// layer it does not name (see the layer check in CMakeLists.txt).
int main() { return 0; }
