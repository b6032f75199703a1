#pragma once
// The Spanish description of each engine error number the suite knows (the Jet numbers of
// platform/database.h). A person is never shown the database library's own English text: what
// reaches a message box is this description, with the technical text after it for support.
#include <QString>

namespace qvr {

class ErrorBD;

namespace jet {
// A statement the server refused to the user's login (its rights, or its rows' security).
inline constexpr int SinPermiso = 3033;
}  // namespace jet

// The description of a Jet error number; a general description for a number not in the table.
QString descripcionJet(int numero);

// The description of a number followed, on its own line, by the technical text of the error when
// there is one and it says something more.
QString textoErrorBD(int numero, const QString& tecnico);
QString textoErrorBD(const ErrorBD& e);

}  // namespace qvr
