#pragma once

namespace orva::tools {

// Makes SIGTERM and SIGINT end the simulator's loop, so that it removes its link on the way out.
void stopOnTerminationSignals();
bool stopRequested();

} // namespace orva::tools
