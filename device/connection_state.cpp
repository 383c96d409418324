#include "connection_state.h"

namespace kestrova {

ConnectionKind connectionKind = ConnectionKind::None;
bool dongleSeen = false;
bool switchedToDongle = false;

void ResetConnectionState() {
    connectionKind = ConnectionKind::None;
    dongleSeen = false;
    switchedToDongle = false;
}

}  // namespace kestrova
