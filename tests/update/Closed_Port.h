#pragma once

// A port on 127.0.0.1 where nothing listens (a connection there is refused at once): the system
// picks a free port for a socket that is then closed.
int Closed_Port();
