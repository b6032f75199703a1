#include "platform/utilitario.h"

#include <QtCore/qnamespace.h>

#include <QDate>
#include <QFileInfo>
#include <array>

#include "platform/dialogs.h"
#include "platform/paths.h"

namespace qvr {

namespace {

bool esDigito(QChar c) { return c >= u'0' && c <= u'9'; }
bool esLetraAscii(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// A strict "dd/mm/yyyy" text naming a real date; an invalid QDate otherwise.
QDate fechaEstricta(const QString& t) {
    if (t.size() != 10 || t[2] != u'/' || t[5] != u'/') return {};
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!esDigito(t[i])) return {};
    const int dia = t.mid(0, 2).toInt();
    const int mes = t.mid(3, 2).toInt();
    const int anio = t.mid(6, 4).toInt();
    if (anio < 1) return {};
    return QDate(anio, mes, dia);  // invalid for 31/04, 29/02 of a common year, month 13...
}

}  // namespace

bool Utilitario::EsTeclaEdicion(int tecla) {
    switch (tecla) {
        case 8:
        case 9:
        case 13:
        case Qt::Key_Backspace:
        case Qt::Key_Tab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return true;
        default:
            return false;
    }
}

int Utilitario::ExisteArchivo(const QString& ruta) {
    if (ruta.trimmed().isEmpty()) return 0;
    return QFileInfo(rutaFs(ruta)).isFile() ? kVerdadero : 0;
}

bool Utilitario::ValidaRuc(const QString& ruc) {
    if (ruc.size() != 11 || !EsNumerico(ruc)) return false;
    const QString prefijo = ruc.left(2);
    if (prefijo != u"10" && prefijo != u"15" && prefijo != u"17" && prefijo != u"20") return false;
    static constexpr std::array<int, 10> pesos = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
    int suma = 0;
    for (int i = 0; i < 10; ++i) suma += ruc[i].digitValue() * pesos[size_t(i)];
    int verificador = 11 - suma % 11;
    if (verificador == 10) verificador = 0;
    if (verificador == 11) verificador = 1;
    return ruc[10].digitValue() == verificador;
}

QString Utilitario::AjustaTexto(const QString& texto, int ancho) {
    return RellenaDerecha(texto, ancho, u' ');
}

bool Utilitario::ValidaFecha(const QString& fecha, const QString& minimo, const QString& maximo) {
    const QDate f = fechaEstricta(fecha);
    const QDate lo = fechaEstricta(minimo);
    const QDate hi = fechaEstricta(maximo);
    if (!f.isValid() || !lo.isValid() || !hi.isValid()) return false;
    return lo <= f && f <= hi;
}

bool Utilitario::EsAlfanumerico(const QString& texto) {
    if (texto.isEmpty()) return false;
    for (QChar c : texto)
        if (!esDigito(c) && !esLetraAscii(c)) return false;
    return true;
}

int Utilitario::FiltraNumero(int tecla) {
    if (EsTeclaEdicion(tecla) || (tecla >= '0' && tecla <= '9')) return tecla;
    return 0;
}

int Utilitario::FiltraAlfanumerico(int tecla) {
    if (FiltraNumero(tecla)) return tecla;
    if ((tecla >= 'A' && tecla <= 'Z') || (tecla >= 'a' && tecla <= 'z')) return tecla;
    return 0;
}

bool Utilitario::EsNumerico(const QString& texto) {
    if (texto.isEmpty()) return false;
    for (QChar c : texto)
        if (!esDigito(c)) return false;
    return true;
}

QString Utilitario::RellenaDerecha(const QString& texto, int ancho, QChar relleno) {
    if (ancho <= 0) return {};
    return texto.leftJustified(ancho, relleno, true);
}

QString Utilitario::RellenaIzquierda(const QString& texto, int ancho, QChar relleno) {
    if (ancho <= 0) return {};
    if (texto.size() >= ancho) return texto.right(ancho);
    return texto.rightJustified(ancho, relleno);
}

int Utilitario::MuestraMensaje(const QString& mensaje, const QString& titulo) {
    dialogos().muestra(mensaje, titulo, Icono::Exclamacion, Botones::Ok);
    return 1;
}

int Utilitario::FiltraLetra(int tecla) {
    if (EsTeclaEdicion(tecla)) return tecla;
    if (tecla >= 'A' && tecla <= 'Z') return tecla;
    switch (tecla) {
        case ' ':
        case '&':
        case '.':
        case '-':
        case ',':
        case 0x00D1:  // Ñ
        case 0x00C1:  // Á
        case 0x00C9:  // É
        case 0x00CD:  // Í
        case 0x00D3:  // Ó
        case 0x00DA:  // Ú
        case 0x00DC:  // Ü
            return tecla;
        default:
            return 0;
    }
}

}  // namespace qvr
