// A hand-written report printed to PDF by varnel-cli, rasterised and compared with stored pictures.
// QVR_ACTUALIZA_GOLDEN=1 rewrites the stored pictures (look at them before committing).
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

constexpr int kPpp = 40;

// Share of pixels whose colour differs by more than `umbral` in some channel.
double diferencia(const QImage& a, const QImage& b, int umbral = 96) {
    if (a.size() != b.size()) return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    qint64 distintos = 0;
    for (int j = 0; j < x.height(); ++j) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(j));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(j));
        for (int i = 0; i < x.width(); ++i) {
            const int d = std::max({std::abs(qRed(p[i]) - qRed(q[i])), std::abs(qGreen(p[i]) - qGreen(q[i])),
                                    std::abs(qBlue(p[i]) - qBlue(q[i]))});
            if (d > umbral) ++distintos;
        }
    }
    return double(distintos) / double(x.width() * x.height());
}

int corre(const QString& programa, const QStringList& args, QString* salida = nullptr) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programa, args);
    if (!p.waitForFinished(120000)) return -1;
    if (salida) *salida = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

}  // namespace

TEST(ReporteGolden, PdfRasterizadoComoElGuardado) {
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("golden.pdf");
    QString salida;
    ASSERT_EQ(corre(QVR_BIN_DIR "/varnel-cli", {"reporte", QVR_FIXTURES "/reports/golden.PRN", "--pdf", pdf},
                    &salida),
              0)
        << salida.toStdString();
    ASSERT_EQ(corre(pdftoppm, {"-r", QString::number(kPpp), "-png", pdf, dir.filePath("g")}), 0);

    const bool actualiza = qEnvironmentVariableIntValue("QVR_ACTUALIZA_GOLDEN") == 1;
    for (int hoja = 1; hoja <= 2; ++hoja) {
        const QImage hecha(dir.filePath(QString("g-%1.png").arg(hoja)));
        ASSERT_FALSE(hecha.isNull()) << hoja;
        const QString guardada = QString(QVR_FIXTURES "/reports/golden-%1.png").arg(hoja);
        if (actualiza) hecha.save(guardada);
        const QImage esperada(guardada);
        ASSERT_FALSE(esperada.isNull()) << guardada.toStdString();
        EXPECT_EQ(hecha.size(), esperada.size()) << hoja;
        EXPECT_LT(diferencia(hecha, esperada), 0.002)
            << "page " << hoja << " differs from " << guardada.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("g-3.png")));

    // The comparison itself notices a record drawn one line lower.
    const QImage a(QString(QVR_FIXTURES "/reports/golden-1.png"));
    QImage b = a.copy();
    b.fill(Qt::white);
    QPainter(&b).drawImage(0, 2, a);
    EXPECT_GT(diferencia(a, b), 0.002);
}

TEST(ReporteGolden, ErroresDeLaLineaDeComandos) {
    QTemporaryDir dir;
    struct Caso {
        QStringList args;
        int estado;
    } casos[] = {
        {{QVR_FIXTURES "/reports/golden.PRN"}, 2},
        {{QVR_FIXTURES "/reports/golden.PRN", "--pdf", dir.filePath("x.pdf"), "--desde", "3", "--hasta", "2"},
         2},
        {{QVR_FIXTURES "/reports/golden.PRN", "--pdf", dir.filePath("x.pdf"), "--desde", "0", "--hasta", "2"},
         2},
        {{dir.filePath("NOEXISTE.PRN"), "--pdf", dir.filePath("x.pdf")}, 1},
    };
    for (const auto& c : casos) {
        QString salida;
        EXPECT_EQ(corre(QVR_BIN_DIR "/varnel-cli", QStringList{"reporte"} + c.args, &salida), c.estado)
            << c.args.join(' ').toStdString() << "\n"
            << salida.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("x.pdf")));
    // A range prints just its pages.
    ASSERT_EQ(corre(QVR_BIN_DIR "/varnel-cli", {"reporte", QVR_FIXTURES "/reports/golden.PRN", "--pdf",
                                                dir.filePath("r.pdf"), "--desde", "2", "--hasta", "2"}),
              0);
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdfinfo.isEmpty()) return;
    QString info;
    ASSERT_EQ(corre(pdfinfo, {dir.filePath("r.pdf")}, &info), 0);
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+84[12](\\.\\d+)? x 595")))
        << info.toStdString();
}
