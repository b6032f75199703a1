#include "varnel/common/ui/medidas.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>

namespace qvr {

QString tipicoMayusculas(int n) {
    static const QString abc = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QString t;
    t.reserve(n);
    while (t.size() < n) t += abc.left(n - t.size());
    return t;
}

int anchoTipico(const QFontMetrics& fm, int n) { return fm.horizontalAdvance(tipicoMayusculas(n)); }

namespace {
// Frame, the field's inner margins (two pixels each side) and the cursor's pixel.
int bordes(const QLineEdit* e) {
    const int marco = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e) : 0;
    const QMargins m = e->textMargins();
    return 2 * marco + 4 + m.left() + m.right() + 1;
}
}  // namespace

int sitioTexto(const QLineEdit* e) { return e->width() - bordes(e); }

void anchoParaTexto(QLineEdit* e, int n) {
    e->setMinimumWidth(qMax(e->minimumWidth(), anchoTipico(e->fontMetrics(), n) + bordes(e)));
}

}  // namespace qvr
