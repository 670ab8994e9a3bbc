// Placeholder until the resource script is compiled into the program.
