// Deleting a session: refused while attendees or chaperones are enrolled in it; otherwise the
// session goes together with what belongs to it alone (its types, attendee and chaperone rooms,
// leagues and teams), whole or not at all.
#pragma once

class TADOConnection;
class TDataSet;

namespace vt {

// True while an attendee or a chaperone is enrolled in the session.
bool SessionInUse(TADOConnection* connection, int sessionId);

// Deletes the session at the current row of sessions with its types, rooms, chaperone rooms,
// leagues and teams, in one transaction; no stay is left in a room or team that went.
void DeleteSession(TADOConnection* connection, TDataSet* sessions);

}  // namespace vt
