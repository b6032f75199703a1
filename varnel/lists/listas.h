#pragma once
// The lists of declarations and of catalog rows: their queries and their grid columns.
//   frmModFor   stored declarations (CAB) or sent ones (hCAB, estado 1), to modify or delete
//   frmAbrirEnv every sending of hCAB, to record its order number
//   frmBancos   one catalog of PARAM: professions, banks or tax units
// A restricted user (TipoUsuario other than "0") sees only the taxpayers registered under his name.
#include <QString>
#include <QVariantList>
#include <optional>
#include <vector>

namespace qvr {

class BaseDatos;
struct DatosSesion;

enum class FormatoColumna {
    Texto,
    Fecha,       // "dd/mm/yyyy"
    Estado,      // the header's estado through the grid's value items
    DiaMesAnio,  // "0#/0#/####"
    Miles,       // "###,###"
};

struct ColumnaLista {
    QString titulo;
    QString campo;  // the query's column; empty when the query has none and the cell stays empty
    FormatoColumna formato = FormatoColumna::Texto;
    int anchoTwips = 0;  // 0: the grid's default
    bool oculta = false;
};

// A query with its bound values and the grid columns it feeds. The query has a total order so
// that it can be read in pages.
struct DefinicionLista {
    QString sql;
    QVariantList parametros;
    std::vector<ColumnaLista> columnas;
};

// True when the user sees only his own taxpayers (his Tipo in CLAVES is not "0").
bool usuarioRestringido(BaseDatos& base, const QString& usuario);

// frmModFor's twelve columns over the stored declarations (enviadas false) or the sent ones.
DefinicionLista listaDeclaraciones(const DatosSesion& s, bool enviadas, bool restringida);
// Columns of frmModFor by index.
namespace col {
inline constexpr int Ruc = 0, Nombre = 1, Ejercicio = 2, Formulario = 3, Estado = 4, NroOrden = 5,
                     FecEnvio = 6, NroControl = 7, Correlativo = 8, Rectifica = 9, Orden = 10, Semana = 11;
}

// frmAbrirEnv's ten columns: every sending, whatever its estado.
DefinicionLista listaRegistroOrden(const DatosSesion& s, bool restringida);
namespace colEnv {
inline constexpr int Ruc = 0, Nombre = 1, Ejercicio = 2, Formulario = 3, NOrden = 4, FechaEnv = 5, Control = 6,
                     Correl = 7, Rectifica = 8, Semana = 9;
}

// frmBancos by TipoConsulta (1 professions, 2 banks, 3 tax units); nothing for another value.
struct ConsultaCatalogo {
    QString titulo;
    DefinicionLista lista;
};
std::optional<ConsultaCatalogo> consultaCatalogo(int tipoConsulta);

// An error in reading a list or in its action: the error's description, a line feed and its
// number (with its leading blank), OK only, title "Error".
void MuestraErrorLista(int numero, const QString& descripcion);

// The text that the grid's value items give an estado of the header.
QString textoEstado(const QVariant& estado);

}  // namespace qvr
