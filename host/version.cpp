// Version of the program, shown by its --version option.
namespace qvr {
const char* versionPrograma() { return "1.0"; }
}  // namespace qvr
