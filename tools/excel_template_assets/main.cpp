// Writes the binary parts of the "ExcelPicData" workbook template into the
// package folder given as the only argument:
//   xl/media/image1.png … image5.png  the pictures under the five steps on the
//                                     sheet "曲线图" that explain how to add a
//                                     second curve to the chart;
//   xl/printerSettings/printerSettings1.bin  the page set-up of that sheet.
// The pictures are schematic drawings of the steps, not screen captures.

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <functional>

namespace {

const QString FontFamily = QStringLiteral("WenQuanYi Zen Hei");

const QColor Ink(0x30, 0x30, 0x30);
const QColor Frame(0xA0, 0xA0, 0xA0);
const QColor Face(0xF0, 0xF0, 0xF0);
const QColor TitleBar(0xDC, 0xE6, 0xF2);
const QColor Selection(0x33, 0x99, 0xFF);
const QColor Mark(0xE0, 0x20, 0x20);
const QColor Line(0xFF, 0x80, 0x00);
const QColor Bars(0x00, 0x80, 0xFF);

QFont TextFont(int pixels, bool bold = false) {
    QFont font(FontFamily);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void Text(QPainter& p, const QRectF& box, const QString& text, int pixels = 12,
          Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, const QColor& color = Ink,
          bool bold = false) {
    p.setFont(TextFont(pixels, bold));
    p.setPen(color);
    p.drawText(box, static_cast<int>(align), text);
}

void Box(QPainter& p, const QRectF& box, const QColor& fill, const QColor& border = Frame) {
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawRect(box);
}

void Button(QPainter& p, const QRectF& box, const QString& caption) {
    p.setPen(QPen(Frame, 1));
    p.setBrush(Face);
    p.drawRoundedRect(box, 2, 2);
    Text(p, box, caption, 12, Qt::AlignCenter);
}

// A text field with its content.
void Field(QPainter& p, const QRectF& box, const QString& content) {
    Box(p, box, Qt::white);
    Text(p, box.adjusted(4, 0, -2, 0), content);
}

// A window with a title bar; gives the area below the title bar.
QRectF Window(QPainter& p, const QRectF& box, const QString& title) {
    Box(p, box, Face, QColor(0x70, 0x80, 0x90));
    const QRectF bar(box.left() + 1, box.top() + 1, box.width() - 1, 22);
    p.fillRect(bar, TitleBar);
    Text(p, bar.adjusted(8, 0, 0, 0), title, 12, Qt::AlignLeft | Qt::AlignVCenter, Ink, true);
    Text(p, bar.adjusted(0, 0, -8, 0), QStringLiteral("×"), 14, Qt::AlignRight | Qt::AlignVCenter);
    return QRectF(box.left() + 1, bar.bottom() + 1, box.width() - 1,
                  box.bottom() - bar.bottom() - 1);
}

// The red ring round what is to be clicked.
void Ring(QPainter& p, const QRectF& box) {
    p.setPen(QPen(Mark, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(-3, -3, 3, 3), 4, 4);
}

// A red disc with the number of the click.
void Badge(QPainter& p, const QPointF& centre, int number) {
    p.setPen(Qt::NoPen);
    p.setBrush(Mark);
    p.drawEllipse(centre, 9, 9);
    Text(p, QRectF(centre.x() - 9, centre.y() - 9, 18, 18), QString::number(number), 12,
         Qt::AlignCenter, Qt::white, true);
}

void Arrow(QPainter& p, const QPointF& from, const QPointF& to) {
    p.setPen(QPen(Mark, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(from, to);
    const QLineF shaft(to, from);
    QLineF side1 = shaft;
    side1.setLength(9);
    side1.setAngle(shaft.angle() + 28);
    QLineF side2 = shaft;
    side2.setLength(9);
    side2.setAngle(shaft.angle() - 28);
    QPainterPath head;
    head.moveTo(side1.p2());
    head.lineTo(to);
    head.lineTo(side2.p2());
    p.setBrush(Mark);
    p.drawPath(head);
}

// The mouse pointer with its tip at `tip`.
void Pointer(QPainter& p, const QPointF& tip) {
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip + QPointF(0, 17));
    arrow.lineTo(tip + QPointF(4.5, 13));
    arrow.lineTo(tip + QPointF(8, 20));
    arrow.lineTo(tip + QPointF(10.5, 19));
    arrow.lineTo(tip + QPointF(7, 12));
    arrow.lineTo(tip + QPointF(12, 12));
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

// The first rows of the sample storm, as on the sheet "雨型数据1".
const QStringList SampleTimes = {"00", "01", "02", "03", "04"};
const QStringList SampleIntensities = {"0.1908", "0.1937", "0.1967", "0.1998", "0.2030"};
const QStringList SampleTotals = {"0.1908", "0.3845", "0.5811", "0.7809", "0.9839"};

// Step 1: the data pasted into the sheet "雨型数据2" from A1 on, laid out as on "雨型数据1".
void DrawPasteIntoSecondSheet(QPainter& p, const QSize& size) {
    const double rowHeight = 18;
    const double headerWidth = 26;
    const double widths[] = {58, 112, 90, 48};
    const QString columns[] = {"A", "B", "C", "D"};
    const QStringList headings = {"时间(min)", "降雨强度(mm/min)", "降雨总量(mm)", ""};
    const int rows = 6;

    const double top = 8;
    double x = 8 + headerWidth;
    // column letters
    Box(p, QRectF(8, top, headerWidth, rowHeight), Face);
    for (int c = 0; c < 4; ++c) {
        Box(p, QRectF(x, top, widths[c], rowHeight), Face);
        Text(p, QRectF(x, top, widths[c], rowHeight), columns[c], 11, Qt::AlignCenter);
        x += widths[c];
    }
    for (int r = 0; r < rows; ++r) {
        const double y = top + rowHeight * (r + 1);
        Box(p, QRectF(8, y, headerWidth, rowHeight), Face);
        Text(p, QRectF(8, y, headerWidth, rowHeight), QString::number(r + 1), 11, Qt::AlignCenter);
        x = 8 + headerWidth;
        for (int c = 0; c < 4; ++c) {
            const QRectF cell(x, y, widths[c], rowHeight);
            Box(p, cell, r == 0 || c == 3 ? QColor(Qt::white) : QColor(0xE8, 0xF2, 0xFF),
                QColor(0xD0, 0xD0, 0xD0));
            QString text;
            if (r == 0)
                text = headings[c];
            else if (r <= 5 && c < 3)
                text = (c == 0 ? SampleTimes : c == 1 ? SampleIntensities : SampleTotals)[r - 1];
            const Qt::Alignment align = c == 0 || r == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                         : Qt::AlignRight | Qt::AlignVCenter;
            Text(p, cell.adjusted(3, 0, -3, 0), text, 11, align);
            x += widths[c];
        }
    }
    // the pasted block
    const double blockWidth = widths[0] + widths[1] + widths[2];
    Ring(p, QRectF(8 + headerWidth, top + rowHeight, blockWidth, rowHeight * rows));

    // sheet tabs, the third one current
    const double tabTop = top + rowHeight * (rows + 1) + 10;
    const QStringList tabs = {"曲线图", "雨型数据1", "雨型数据2"};
    x = 8;
    for (int t = 0; t < tabs.size(); ++t) {
        const double w = t == 0 ? 60 : 78;
        const QRectF tab(x, tabTop, w, 22);
        Box(p, tab, t == 2 ? QColor(Qt::white) : Face);
        Text(p, tab, tabs[t], 12, Qt::AlignCenter, t == 2 ? QColor(0x00, 0x60, 0xC0) : Ink, t == 2);
        x += w;
    }
    Ring(p, QRectF(8 + 60 + 78, tabTop, 78, 22));
    Badge(p, QPointF(8 + 60 + 78 + 78 + 18, tabTop + 11), 1);
    Text(p, QRectF(8 + 60 + 78 + 78 + 32, tabTop, size.width() - 260, 22),
         QStringLiteral("从A1起黏贴"), 12, Qt::AlignLeft | Qt::AlignVCenter, Mark, true);
}

// A small hyetograph: bars hanging from the top, the intensity line rising from the bottom.
void DrawSmallChart(QPainter& p, const QRectF& area) {
    Box(p, area, Qt::white);
    const QRectF plot = area.adjusted(10, 8, -10, -10);
    p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1));
    p.drawRect(plot);
    const int n = 24;
    const double slot = plot.width() / n;
    for (int i = 0; i < n; ++i) {
        const double share = (i + 1.0) / n;
        p.fillRect(QRectF(plot.left() + i * slot + slot * 0.35, plot.top(), slot * 0.3,
                          plot.height() * 0.48 * share),
                   Bars);
    }
    QPainterPath line;
    for (int i = 0; i < n; ++i) {
        const double t = (i - n * 0.4) / (n * 0.12);
        const double value = 1.0 / (1.0 + t * t);
        const QPointF point(plot.left() + (i + 0.5) * slot,
                            plot.bottom() - 4 - value * plot.height() * 0.45);
        if (i == 0)
            line.moveTo(point);
        else
            line.lineTo(point);
    }
    p.setPen(QPen(Line, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
}

// Step 2: a right click on the chart and "选择数据..." in its menu.
void DrawChooseData(QPainter& p, const QSize&) {
    DrawSmallChart(p, QRectF(8, 8, 190, 150));
    const QPointF click(96, 112);
    Pointer(p, click);

    const QRectF menu(112, 70, 176, 182);
    p.fillRect(menu.translated(3, 3), QColor(0, 0, 0, 40));
    Box(p, menu, QColor(0xFA, 0xFA, 0xFA));
    const QStringList items = {"剪切(T)",
                               "复制(C)",
                               "粘贴选项:",
                               "",
                               "更改系列图表类型(Y)...",
                               "选择数据(E)...",
                               "三维旋转(R)...",
                               "添加趋势线(R)...",
                               "设置数据系列格式(F)..."};
    double y = menu.top() + 4;
    for (const QString& item : items) {
        if (item.isEmpty()) {
            p.setPen(QPen(QColor(0xD0, 0xD0, 0xD0), 1));
            p.drawLine(QPointF(menu.left() + 26, y + 3), QPointF(menu.right() - 6, y + 3));
            y += 7;
            continue;
        }
        const QRectF row(menu.left() + 2, y, menu.width() - 4, 20);
        const bool chosen = item.startsWith(QStringLiteral("选择数据"));
        if (chosen) {
            p.fillRect(row, QColor(0xCC, 0xE4, 0xF7));
            Ring(p, row);
            Badge(p, QPointF(row.right() - 14, row.center().y()), 2);
        }
        Text(p, row.adjusted(24, 0, 0, 0), item, 12);
        y += 20;
    }
    Badge(p, QPointF(click.x() - 12, click.y() - 12), 1);
    Text(p, QRectF(8, 170, 100, 20), QStringLiteral("右键点击折线"), 12,
         Qt::AlignLeft | Qt::AlignVCenter, Mark, true);
    Text(p, QRectF(8, 190, 100, 20), QStringLiteral("左键选择数据"), 12,
         Qt::AlignLeft | Qt::AlignVCenter, Mark, true);
}

// The dialog "选择数据源" with the series in `series`; gives the boxes of its
// three series buttons (添加, 编辑, 删除) and of the series rows.
struct SourceDialog {
    QRectF add, edit, remove;
    std::vector<QRectF> seriesRows;
};

SourceDialog DrawSourceDialog(QPainter& p, const QSize& size, const QStringList& series,
                              int selected) {
    SourceDialog dialog;
    const QRectF body = Window(p, QRectF(0.5, 0.5, size.width() - 1, size.height() - 1),
                               QStringLiteral("选择数据源"));
    const double left = body.left() + 12;
    const double right = body.right() - 12;
    Text(p, QRectF(left, body.top() + 8, 120, 22), QStringLiteral("图表数据区域(D):"));
    Field(p, QRectF(left + 118, body.top() + 8, right - left - 118, 22),
          QStringLiteral("=雨型数据1!$A$1:$C$122"));

    const double groupTop = body.top() + 44;
    const double groupBottom = body.bottom() - 44;
    const double middle = (left + right) / 2;
    const QRectF seriesGroup(left, groupTop, middle - left - 8, groupBottom - groupTop);
    const QRectF axisGroup(middle + 8, groupTop, right - middle - 8, groupBottom - groupTop);
    for (const QRectF& group : {seriesGroup, axisGroup})
        Box(p, group, Face, QColor(0xC8, 0xC8, 0xC8));
    Text(p, QRectF(seriesGroup.left() + 8, groupTop + 4, 200, 20), QStringLiteral("图例项(系列)"),
         12, Qt::AlignLeft | Qt::AlignVCenter, Ink, true);
    Text(p, QRectF(axisGroup.left() + 8, groupTop + 4, 200, 20), QStringLiteral("水平(分类)轴标签"),
         12, Qt::AlignLeft | Qt::AlignVCenter, Ink, true);

    const double buttonsTop = groupTop + 28;
    dialog.add = QRectF(seriesGroup.left() + 8, buttonsTop, 70, 22);
    dialog.edit = dialog.add.translated(78, 0);
    dialog.remove = dialog.edit.translated(78, 0);
    Button(p, dialog.add, QStringLiteral("添加(A)"));
    Button(p, dialog.edit, QStringLiteral("编辑(E)"));
    Button(p, dialog.remove, QStringLiteral("删除(R)"));
    Button(p, QRectF(axisGroup.left() + 8, buttonsTop, 70, 22), QStringLiteral("编辑(T)"));

    const QRectF seriesList(seriesGroup.left() + 8, buttonsTop + 30, seriesGroup.width() - 16,
                            seriesGroup.bottom() - buttonsTop - 38);
    const QRectF axisList(axisGroup.left() + 8, buttonsTop + 30, axisGroup.width() - 16,
                          seriesList.height());
    Box(p, seriesList, Qt::white);
    Box(p, axisList, Qt::white);
    for (int i = 0; i < series.size(); ++i) {
        const QRectF row(seriesList.left() + 1, seriesList.top() + 1 + i * 20,
                         seriesList.width() - 2, 20);
        if (i == selected)
            p.fillRect(row, Selection);
        Text(p, row.adjusted(6, 0, 0, 0), QStringLiteral("☑ ") + series[i], 12,
             Qt::AlignLeft | Qt::AlignVCenter, i == selected ? QColor(Qt::white) : Ink);
        dialog.seriesRows.push_back(row);
    }
    for (int i = 0; i < SampleTimes.size() && 1 + (i + 1) * 20 < axisList.height(); ++i)
        Text(p, QRectF(axisList.left() + 6, axisList.top() + 1 + i * 20, axisList.width() - 8, 20),
             QStringLiteral("☑ ") + SampleTimes[i]);

    const QRectF cancel(right - 76, body.bottom() - 34, 76, 24);
    Button(p, cancel, QStringLiteral("取消"));
    Button(p, cancel.translated(-86, 0), QStringLiteral("确定"));
    Button(p, QRectF(left, body.bottom() - 34, 150, 24),
           QStringLiteral("隐藏的单元格和空单元格(H)"));
    return dialog;
}

// Step 3: select "降雨总量(mm)" and remove it.
void DrawRemoveTotals(QPainter& p, const QSize& size) {
    const SourceDialog dialog = DrawSourceDialog(
        p, size, {QStringLiteral("降雨强度(mm/min)"), QStringLiteral("降雨总量(mm)")}, 1);
    const QRectF totals = dialog.seriesRows[1];
    Ring(p, totals);
    Badge(p, QPointF(totals.right() - 14, totals.center().y()), 1);
    Ring(p, dialog.remove);
    Badge(p, QPointF(dialog.remove.right() + 16, dialog.remove.center().y()), 2);
    Arrow(p, QPointF(totals.left() + 150, totals.top() - 2),
          QPointF(dialog.remove.center().x(), dialog.remove.bottom() + 6));
}

// Step 4: add a series.
void DrawAddSeries(QPainter& p, const QSize& size) {
    const SourceDialog dialog = DrawSourceDialog(p, size, {QStringLiteral("降雨强度(mm/min)")}, -1);
    Ring(p, dialog.add);
    Badge(p, QPointF(dialog.add.left() - 1, dialog.add.top() - 1), 1);
}

// Step 5: the series name typed in, the values chosen on "雨型数据2" with the button beside them.
void DrawEditSeries(QPainter& p, const QSize& size) {
    const QRectF body = Window(p, QRectF(0.5, 0.5, size.width() - 1, size.height() - 1),
                               QStringLiteral("编辑数据系列"));
    const double left = body.left() + 10;
    const double fieldWidth = size.width() - 2 * 10 - 30;
    Text(p, QRectF(left, body.top() + 4, 200, 18), QStringLiteral("系列名称(N):"));
    const QRectF name(left, body.top() + 22, fieldWidth, 20);
    Field(p, name, QStringLiteral("雨型2"));
    Button(p, QRectF(name.right() + 4, name.top(), 22, 20), QStringLiteral("⬚"));
    Badge(p, QPointF(name.left() + 90, name.center().y()), 1);

    Text(p, QRectF(left, body.top() + 46, 200, 18), QStringLiteral("系列值(V):"));
    const QRectF values(left, body.top() + 64, fieldWidth, 20);
    Field(p, values, QStringLiteral("=雨型数据2!$B$2:$B$122"));
    const QRectF pick(values.right() + 4, values.top(), 22, 20);
    Button(p, pick, QStringLiteral("⬚"));
    Ring(p, pick);
    Badge(p, QPointF(pick.left() - 18, pick.center().y()), 2);

    const QRectF cancel(size.width() - 10 - 66, body.bottom() - 28, 66, 22);
    Button(p, cancel, QStringLiteral("取消"));
    Button(p, cancel.translated(-74, 0), QStringLiteral("确定"));
}

bool WritePicture(const QString& path, const QSize& size,
                  const std::function<void(QPainter&, const QSize&)>& draw) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        draw(painter, size);
    }
    return image.save(path, "PNG");
}

// The page set-up of the chart sheet as a DEVMODEW record: A4 landscape, one
// copy, 600 dpi, colour, for no particular printer.
QByteArray PrinterSettings() {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    auto wideText = [&](const QString& text) { // WCHAR[32], zero-filled
        for (int i = 0; i < 32; ++i)
            out << quint16(i < text.size() ? text.at(i).unicode() : 0);
    };
    constexpr quint32 Orientation = 0x1, PaperSize = 0x2, Scale = 0x10, Copies = 0x100,
                      DefaultSource = 0x200, PrintQuality = 0x400, Color = 0x800, Duplex = 0x1000,
                      YResolution = 0x2000, Collate = 0x8000, FormName = 0x10000;
    wideText(QString());
    out << quint16(0x0401) << quint16(0) << quint16(220)
        << quint16(0); // record version, driver version, size, driver bytes
    out << quint32(Orientation | PaperSize | Scale | Copies | DefaultSource | PrintQuality | Color |
                   Duplex | YResolution | Collate | FormName);
    out << qint16(2)              // landscape
        << qint16(9)              // A4
        << qint16(0) << qint16(0) // paper length and width from the size
        << qint16(100)            // scale
        << qint16(1)              // copies
        << qint16(7)              // automatic paper source
        << qint16(600);           // dpi
    out << qint16(2)              // colour
        << qint16(1)              // one-sided
        << qint16(600)            // dpi vertically
        << qint16(0)              // TrueType as the driver chooses
        << qint16(1);             // collate
    wideText(QStringLiteral("A4"));
    out << quint16(0);              // logical pixels
    for (int i = 0; i < 5 + 8; ++i) // display fields, ICM, media, dither, reserved, panning
        out << quint32(0);
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: excel_template_assets PACKAGE_FOLDER\n");
        return 2;
    }
    const QDir package(QString::fromLocal8Bit(argv[1]));
    if (!package.mkpath("xl/media") || !package.mkpath("xl/printerSettings")) {
        std::fprintf(stderr, "cannot create the folders under %s\n", argv[1]);
        return 1;
    }

    struct Picture {
        QSize size;
        std::function<void(QPainter&, const QSize&)> draw;
    };
    const Picture pictures[] = {
        {{345, 173}, DrawPasteIntoSecondSheet}, {{300, 260}, DrawChooseData},
        {{596, 297}, DrawRemoveTotals},         {{594, 270}, DrawAddSeries},
        {{316, 145}, DrawEditSeries},
    };
    int number = 1;
    for (const Picture& picture : pictures) {
        const QString path = package.filePath(QStringLiteral("xl/media/image%1.png").arg(number++));
        if (!WritePicture(path, picture.size, picture.draw)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }

    QFile settings(package.filePath("xl/printerSettings/printerSettings1.bin"));
    const QByteArray devmode = PrinterSettings();
    if (devmode.size() != 220 || !settings.open(QIODevice::WriteOnly) ||
        settings.write(devmode) != devmode.size()) {
        std::fprintf(stderr, "cannot write the printer settings\n");
        return 1;
    }
    return 0;
}
