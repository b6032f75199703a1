#pragma once
// The three annex lists of the declaration window without widgets: dividends received,
// investments abroad and trust investments. Each list shows its working table in a grid with a
// count and totals; a row is deleted with confirmation; the yes/no questions of the last two lists
// switch them on and off (and answering No empties them).
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "platform/database.h"
#include "varnel/declaration/declaracion.h"

namespace qvr {

enum class ListaAnexo { Dividendos, Extranjero, Fideicomiso };

struct DefinicionAnexo {
    const char* temporal;                                      // working table
    const char* grilla;                                        // grid control name
    const char* rotuloCantidad;                                // the count label's text before the count
    const char* etiquetaCantidad;                              // count label control name
    std::vector<std::pair<const char*, const char*>> totales;  // amount column, total label control
    std::vector<const char*> columnas;                         // grid columns by index
    std::vector<const char*> encabezados;                      // grid headings by index
    std::vector<int> montos;                                   // grid columns shown as amounts
    std::vector<int> clave;                                    // grid columns that find the row to delete
};
const DefinicionAnexo& definicionAnexo(ListaAnexo l);

// Rows of a working table; 0 (after the "Error : " message) when it cannot be counted.
int Cuenta_Registros(BaseDatos& base, const QString& sTemporal);
// Sum of an amount column as plain digits; "0" when empty, negative or on an error.
QString Suma_Retencion(BaseDatos& base, const QString& sTemporal, const QString& sCampoSuma);
// "Error : N Descripción : D " with the information icon and title "Error".
void MuestraErrorAnexo(const ErrorBD& e);

class ListasAnexo {
  public:
    ListasAnexo(BaseDatos& base, Declaracion& d);

    struct Resumen {
        QString cantidad;              // empty when the list is empty
        std::vector<QString> totales;  // by the list's total columns; empty for 0
    };

    // Reload a list from its working table and refresh its summary.
    void Get_Dividendos() { Get(ListaAnexo::Dividendos); }
    void Get_Extranjero() { Get(ListaAnexo::Extranjero); }
    void Get_Fideicomiso() { Get(ListaAnexo::Fideicomiso); }
    void Get(ListaAnexo l);
    // The three, as the opening does after filling the working tables.
    void cargaTodas();

    void Cuenta_y_Suma_Dividendos() { Cuenta_y_Suma(ListaAnexo::Dividendos); }
    void Cuenta_y_Suma_Extranjero() { Cuenta_y_Suma(ListaAnexo::Extranjero); }
    void Cuenta_y_Suma_Fideicomiso() { Cuenta_y_Suma(ListaAnexo::Fideicomiso); }
    void Cuenta_y_Suma(ListaAnexo l);
    const Resumen& resumen(ListaAnexo l) const { return resumenes_[size_t(l)]; }

    int filas(ListaAnexo l) const { return datos_[size_t(l)].filas(); }
    // A grid cell as shown: amounts "###,###,###,##0", the payment date "dd/mm/yyyy".
    QString celda(ListaAnexo l, int fila, int columna) const;

    // Delete the grid's current row, after the question.
    void Eliminar_Dividendos(int fila) { Eliminar(ListaAnexo::Dividendos, fila); }
    void Eliminar_Extranjero(int fila) { Eliminar(ListaAnexo::Extranjero, fila); }
    void Eliminar_Fideicomiso(int fila) { Eliminar(ListaAnexo::Fideicomiso, fila); }
    void Eliminar(ListaAnexo l, int fila);

    // The working tables again as the lists show them (after a new connection came up empty).
    // Throws ErrorBD.
    void reponeTrabajo();
    // Whether every working table holds as many rows as its list shows. Throws ErrorBD.
    bool trabajoCoincide();

    // "&Modificar" and "&Eliminar" on an empty list show their message and answer false.
    bool puedeModificar(ListaAnexo l);
    bool puedeEliminar(ListaAnexo l);
    // After an edit window was shown: the declaration counts as modified.
    void marcaModificado();

    // OptExtranjero / OptFideicomiso (other questions go straight to the declaration).
    void eligeOpcion(Pregunta p, Opcion o);
    // The opening selected the stored answers without asking: a "No" with rows asks now.
    void aplicaPreguntasDeCarga();
    // Grid and buttons of the list enabled (the declaration's annex commands).
    bool habilitada(ListaAnexo l) const { return declaracion.controles.comandosAnexo[size_t(l)]; }

    BaseDatos& base;
    Declaracion& declaracion;
    QString ModoAnexo = QStringLiteral("NUEVO");  // "NUEVO" or "MODIFICA"
    bool AnexoModificado = false;

    // The views' notifications: a list's rows, summary or enabling changed.
    std::vector<std::function<void(ListaAnexo)>> alCambiarLista;

  private:
    void notifica(ListaAnexo l) {
        for (const auto& f : alCambiarLista) f(l);
    }
    std::array<Registros, 3> datos_;
    std::array<Resumen, 3> resumenes_;
};

}  // namespace qvr
