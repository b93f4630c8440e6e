// The Windows Sockets 1.1 library, started on demand and shut down once at
// the end of the program.
#pragma once

// WSAStartup for version 1.1; true when it was accepted. Every name lookup
// starts it anew, as Winsock counts the starts.
bool NetworkStart();
// WSACleanup once, when the most recent start succeeded.
void NetworkEnd();
