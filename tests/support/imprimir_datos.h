#pragma once
// A declaration to print: header with payment data, a realistic set of boxes, catalog rows for the
// bank, the profession and the document type, and optional dividend rows.
#include <QString>
#include <utility>
#include <vector>

#include "platform/database.h"
#include "support/entorno.h"

namespace qvr::prueba {

inline const std::vector<std::pair<int, QString>>& casillasImpresion() {
    static const std::vector<std::pair<int, QString>> c = {
        {28, "4215566"},   {100, "24000"},  {501, "24000"},   {502, "4800"},    {503, "19200"},
        {107, "98000"},    {507, "19600"},  {508, "78400"},   {509, "78400"},   {111, "36500"},
        {510, "114900"},   {511, "22100"},  {512, "92800"},   {113, "112000"},  {513, "112000"},
        {514, "112000"},   {515, "112000"}, {120, "21560"},   {516, "21560"},   {130, "7840"},
        {131, "-1250"},    {142, "12970"},  {146, "12970"},   {180, "12970"},   {599, "E"},
        {25, "12"},        {27, "2"},       {811, "QUISPE"},  {812, "MAMANÍ"},  {813, "JOSÉ ANTONIO"},
        {301, "1"},        {302, "10203040"}, {200, "3500"},  {201, "1800"},    {536, "3500"},
        {533, "1800"},     {518, "117300"}, {204, "6"},       {208, "20100011122"}, {212, "9600"},
        {260, "2"},        {721, "999"},    {722, "888"},     {15, "12970"},
    };
    return c;
}

// A stored declaration of `ruc` (week 0) with the boxes above, plus the catalogs it names.
inline void agregaDeclaracionImpresion(Entorno& e, const QString& ruc, const QString& nombre) {
    BaseDatos& b = e.base();
    e.agregaContribuyente(ruc, nombre, "", "", "DEMO");
    b.ejecuta("INSERT INTO CAB (tip_doc_d, doc_id_d, periodo, formulario, semana, estado, rectifica, bcolibrad, "
              "nrocheque, cheque, efectivo, cNumero) VALUES (6, ?, '2003', '0738', 0, 0, '1', '02', NULL, NULL, "
              "'12970', '000000')",
              {ruc});
    for (const auto& [casilla, valor] : casillasImpresion())
        b.ejecuta("INSERT INTO DET (tip_doc_d, doc_id_d, periodo, formulario, semana, casilla, i_valor, idcasilla, "
                  "estado, cNumero) VALUES (6, ?, '2003', '0738', 0, ?, ?, '01', 0, '000000')",
                  {ruc, QString::number(casilla), valor});
    e.agregaParam("004", "02", QString("%1%2").arg(QString(37, ' ')).arg("CONTINENTAL "));
    e.agregaParam("979", "12", QString("INGENIERO CIVIL").leftJustified(36, ' ') + "X");
    e.agregaParam("044", "1", QString("DOC. NACIONAL DE IDENTIDAD").leftJustified(31, ' ') + "DNI");
}

// `n` dividend rows of the stored declaration of `ruc`, amounts 1000+i and 41+i.
inline void agregaDividendos(BaseDatos& b, const QString& ruc, int n) {
    for (int i = 0; i < n; ++i)
        b.ejecuta("INSERT INTO F0738DIVIDEND VALUES (6, ?, '2003', '0738', ?, ?, '2003-05-01', ?, ?, '000000')",
                  {ruc, QString("201%1").arg(i, 8, 10, QChar('0')), QString("EMPRESA PAGADORA NÚMERO %1").arg(i + 1),
                   QString::number(1000 + i), QString::number(41 + i)});
}

}  // namespace qvr::prueba
