#include "http_response.h"

#include <QList>

#include <optional>

namespace velmora {

namespace {

using State = ParsedHttpAnswer::State;

ParsedHttpAnswer WithState(State state) {
    ParsedHttpAnswer parsed;
    parsed.state = state;
    return parsed;
}

// Where the head (status line and headers) ends and the body begins.
std::optional<std::pair<qsizetype, qsizetype>> HeadEnd(const QByteArray& bytes, qsizetype from) {
    const qsizetype crlf = bytes.indexOf("\r\n\r\n", from);
    const qsizetype lf = bytes.indexOf("\n\n", from);
    if (crlf < 0 && lf < 0)
        return std::nullopt;
    if (lf < 0 || (crlf >= 0 && crlf < lf))
        return std::make_pair(crlf, crlf + 4);
    return std::make_pair(lf, lf + 2);
}

struct Head {
    HttpAnswer answer;
    std::optional<qint64> contentLength;
    bool chunked = false;
};

std::optional<Head> ReadHead(const QByteArray& head) {
    const QList<QByteArray> lines = head.split('\n');
    const QByteArray statusLine = lines.front().trimmed();
    // "HTTP/1.1 200 OK": the version, three digits, the reason (maybe empty).
    if (!statusLine.startsWith("HTTP/1.") || statusLine.size() < 12 || statusLine[8] != ' ')
        return std::nullopt;
    bool isNumber = false;
    Head read;
    read.answer.status = statusLine.mid(9, 3).toInt(&isNumber);
    if (!isNumber || (statusLine.size() > 12 && statusLine[12] != ' '))
        return std::nullopt;
    read.answer.reason = statusLine.mid(13);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-type")
            read.answer.contentType = value;
        else if (name == "location")
            read.answer.location = value;
        else if (name == "transfer-encoding")
            read.chunked = value.toLower().contains("chunked");
        else if (name == "content-length") {
            const qint64 length = value.toLongLong(&isNumber);
            if (!isNumber || length < 0)
                return std::nullopt;
            read.contentLength = length;
        }
    }
    return read;
}

// The chunks from `from` on: the body once the last (empty) chunk is there.
ParsedHttpAnswer ReadChunks(const QByteArray& bytes, qsizetype from, HttpAnswer answer) {
    qsizetype at = from;
    for (;;) {
        const qsizetype lineEnd = bytes.indexOf('\n', at);
        if (lineEnd < 0)
            return WithState(State::Incomplete);
        QByteArray sizeText = bytes.mid(at, lineEnd - at).trimmed();
        if (const qsizetype extension = sizeText.indexOf(';'); extension >= 0)
            sizeText.truncate(extension);
        bool isNumber = false;
        const qint64 size = sizeText.toLongLong(&isNumber, 16);
        if (!isNumber || size < 0 || size > bytes.size())
            return WithState(isNumber && size >= 0 ? State::Incomplete : State::Malformed);
        at = lineEnd + 1;
        if (size == 0) {
            // The trailer, if any, ends with an empty line like the head.
            if (bytes.indexOf('\n', at) < 0)
                return WithState(State::Incomplete);
            ParsedHttpAnswer parsed;
            parsed.state = State::Complete;
            parsed.answer = std::move(answer);
            return parsed;
        }
        const qsizetype dataEnd = at + size;
        if (bytes.size() < dataEnd + 1)
            return WithState(State::Incomplete);
        answer.body += bytes.mid(at, size);
        // The chunk's data ends with a line end of its own.
        if (bytes[dataEnd] == '\n') {
            at = dataEnd + 1;
        } else if (bytes[dataEnd] == '\r') {
            if (bytes.size() < dataEnd + 2)
                return WithState(State::Incomplete);
            if (bytes[dataEnd + 1] != '\n')
                return WithState(State::Malformed);
            at = dataEnd + 2;
        } else {
            return WithState(State::Malformed);
        }
    }
}

ParsedHttpAnswer ReadBody(const QByteArray& bytes, qsizetype bodyStart, Head head, bool closed) {
    const int status = head.answer.status;
    ParsedHttpAnswer parsed;
    if (status == 204 || status == 304) {
        parsed.state = State::Complete;
        parsed.answer = std::move(head.answer);
        return parsed;
    }
    if (head.chunked) {
        parsed = ReadChunks(bytes, bodyStart, std::move(head.answer));
    } else if (head.contentLength) {
        if (bytes.size() - bodyStart >= *head.contentLength) {
            parsed.state = State::Complete;
            parsed.answer = std::move(head.answer);
            parsed.answer.body = bytes.mid(bodyStart, *head.contentLength);
        }
    } else if (closed) {
        parsed.state = State::Complete;
        parsed.answer = std::move(head.answer);
        parsed.answer.body = bytes.mid(bodyStart);
    }
    if (parsed.state == State::Incomplete && closed)
        parsed.state = State::Malformed;
    return parsed;
}

} // namespace

ParsedHttpAnswer ParseHttpAnswer(const QByteArray& received, bool closed) {
    qsizetype at = 0;
    for (;;) {
        const auto end = HeadEnd(received, at);
        if (!end)
            return WithState(closed ? State::Malformed : State::Incomplete);
        std::optional<Head> head = ReadHead(received.mid(at, end->first - at));
        if (!head)
            return WithState(State::Malformed);
        if (head->answer.status >= 200 || head->answer.status < 100)
            return ReadBody(received, end->second, std::move(*head), closed);
        at = end->second; // "100 Continue" and the like: the real answer follows
    }
}

} // namespace velmora
