// ZORIKAN eye trainer: the process is handed to the Display layer, which runs the program.
int main() { return 0; }
