// The program's version, shown by the About box.
extern const char* const VelquorVersion = "0.1";
