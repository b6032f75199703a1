#pragma once
// A runtime folder of the test's own ($QVR_RUNTIME_DIR: where a shown host window holds its mark
// and a program its single-copy lock) for as long as it lives; the previous one comes back after.
#include <QByteArray>
#include <QTemporaryDir>

namespace qvr::prueba {

class CarpetaEjecucion {
  public:
    CarpetaEjecucion() : previa_(qgetenv("QVR_RUNTIME_DIR")) { qputenv("QVR_RUNTIME_DIR", dir_.path().toUtf8()); }
    ~CarpetaEjecucion() { qputenv("QVR_RUNTIME_DIR", previa_); }
    CarpetaEjecucion(const CarpetaEjecucion&) = delete;
    CarpetaEjecucion& operator=(const CarpetaEjecucion&) = delete;
    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
    QByteArray previa_;
};

}  // namespace qvr::prueba
