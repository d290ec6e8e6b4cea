// The timekeeper's server over Winsock: the native cases, built for Windows and run under
// Wine, so that the same bounds hold on the platform the program ships for.
#include "../unit/remote_server_test.cpp"
