// A program that links one layer whole (cmake/LayerCheck.cmake); linking it is the check,
// it is never run.
int main() {
    return 0;
}
