#pragma once

namespace officesim {

class Line;
class Server;

// The control API of the simulated line ("/sim/line/…"), the recordings it announces
// ("/sim/rec/…") and the Centrex web host's login and password pages ("/premium/…").
void registerLineControl(Server &server, Line &line);

} // namespace officesim
