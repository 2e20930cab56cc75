#include "acquisition/Http_Multipart.h"

#include <algorithm>

#include "acquisition/Http_Text.h"

namespace {

constexpr std::size_t Max_Boundary = 200;

bool Is_Line_Blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim_Line_End(std::string_view line)
{
    while (!line.empty() && Is_Line_Blank(line.back()))
        line.remove_suffix(1);
    return line;
}

}  // namespace

std::optional<std::string> Mixed_Replace_Boundary(std::string_view content_type)
{
    std::size_t pos = content_type.find(';');
    if (!Http_Same_Text(Trim_View(content_type.substr(0, pos)), "multipart/x-mixed-replace"))
        return std::nullopt;
    // Parameters: "; name=value" with a token or a quoted string (backslash escapes) as the value.
    while (pos != std::string_view::npos && pos < content_type.size()) {
        const std::size_t equals = content_type.find('=', pos + 1);
        if (equals == std::string_view::npos)
            return std::nullopt;
        const std::string_view name = Trim_View(content_type.substr(pos + 1, equals - pos - 1));
        std::size_t at = equals + 1;
        while (at < content_type.size() && (content_type[at] == ' ' || content_type[at] == '\t'))
            ++at;
        std::string value;
        if (at < content_type.size() && content_type[at] == '"') {
            for (++at; at < content_type.size() && content_type[at] != '"'; ++at) {
                if (content_type[at] == '\\' && at + 1 < content_type.size())
                    ++at;
                value.push_back(content_type[at]);
            }
            pos = content_type.find(';', at);
        } else {
            pos = content_type.find(';', at);
            value = std::string(Trim_View(content_type.substr(at, pos == std::string_view::npos ? pos : pos - at)));
        }
        if (Http_Same_Text(name, "boundary")) {
            if (value.empty() || value.size() > Max_Boundary)
                return std::nullopt;
            return value;
        }
    }
    return std::nullopt;
}

Multipart_Parser::Multipart_Parser(std::string boundary, Multipart_Limits limits)
    : boundary_(std::move(boundary)), limits_(limits)
{}

Multipart_Parser::Status Multipart_Parser::State() const
{
    if (step_ == Step::Closed)
        return Status::Closed;
    return step_ == Step::Failed ? Status::Failed : Status::Need_More;
}

void Multipart_Parser::Fail(std::string message)
{
    step_ = Step::Failed;
    error_ = std::move(message);
    buffer_.clear();
    pos_ = 0;
}

std::optional<std::string_view> Multipart_Parser::Next_Line()
{
    const std::size_t lf = buffer_.find('\n', pos_);
    if (lf == std::string::npos)
        return std::nullopt;
    std::string_view line(buffer_.data() + pos_, lf - pos_);
    pos_ = lf + 1;
    return line;
}

int Multipart_Parser::Boundary_Kind(std::string_view line) const
{
    line = Trim_Line_End(line);
    if (line.size() >= 2 && line.substr(0, 2) == "--" && line.substr(2, boundary_.size()) == boundary_)
        line.remove_prefix(2);
    else if (line.substr(0, boundary_.size()) != boundary_)
        return 0;
    line.remove_prefix(boundary_.size());
    if (line.empty())
        return 1;
    return line == "--" ? 2 : 0;
}

void Multipart_Parser::Seek_Boundary()
{
    const std::size_t start = pos_;
    const std::optional<std::string_view> line = Next_Line();
    if (!line) {
        if (gap_bytes_ + buffer_.size() - pos_ > limits_.Max_Gap)
            Fail("The stream sent no boundary line where a picture should start.");
        return;
    }
    gap_bytes_ += pos_ - start;
    switch (Boundary_Kind(*line)) {
    case 1:
        step_ = Step::Part_Head;
        head_bytes_ = 0;
        length_.reset();
        return;
    case 2: step_ = Step::Closed; return;
    default:
        if (gap_bytes_ > limits_.Max_Gap)
            Fail("The stream sent no boundary line where a picture should start.");
    }
}

void Multipart_Parser::Part_Head()
{
    const std::size_t start = pos_;
    const std::optional<std::string_view> line = Next_Line();
    const std::size_t taken = (line ? pos_ : buffer_.size()) - start;
    if (head_bytes_ + taken > limits_.Max_Part_Head) {
        Fail("A picture of the stream has too many header bytes.");
        return;
    }
    if (!line)
        return;
    head_bytes_ += taken;
    const std::string_view text = Trim_Line_End(*line);
    if (text.empty()) {
        gap_bytes_ = 0;
        if (length_) {
            part_.clear();
            part_.reserve(*length_);  // bounded by Max_Part above
            step_ = Step::Part_Length;
        } else {
            scan_from_ = pos_;
            step_ = Step::Part_Scan;
        }
        return;
    }
    const std::size_t colon = text.find(':');
    if (colon != std::string_view::npos && Http_Same_Text(Trim_View(text.substr(0, colon)), "Content-Length")) {
        const auto value = Http_Parse_Decimal(Trim_View(text.substr(colon + 1)));
        if (!value || *value < 0) {
            length_.reset();  // unreadable: the part ends at the next boundary line
        } else if (static_cast<unsigned long long>(*value) > limits_.Max_Part) {
            Fail("A picture of the stream is larger than " + std::to_string(limits_.Max_Part) + " bytes.");
        } else {
            length_ = static_cast<std::size_t>(*value);
        }
    }
}

void Multipart_Parser::Emit(std::string&& part, const Part_Function& on_part)
{
    ++parts_;
    gap_bytes_ = 0;
    step_ = Step::Seek_Boundary;
    on_part(std::move(part));
}

void Multipart_Parser::Part_Length(const Part_Function& on_part)
{
    const std::size_t take = std::min(*length_ - part_.size(), buffer_.size() - pos_);
    part_.append(buffer_, pos_, take);
    pos_ += take;
    if (part_.size() == *length_)
        Emit(std::move(part_), on_part);
}

void Multipart_Parser::Part_Scan(const Part_Function& on_part)
{
    const std::size_t part_start = pos_;
    for (;;) {
        const std::size_t hit = buffer_.find(boundary_, scan_from_);
        if (hit == std::string::npos) {
            // Keep the last bytes: a boundary may be arriving cut in two.
            const std::size_t keep = boundary_.size() + 3;
            scan_from_ = std::max(part_start, buffer_.size() > keep ? buffer_.size() - keep : 0);
            if (buffer_.size() - part_start > limits_.Max_Part + keep)
                Fail("A picture of the stream is larger than " + std::to_string(limits_.Max_Part) + " bytes.");
            return;
        }
        // The line holding the boundary starts at the boundary or at the "--" before it.
        std::size_t line_start = hit;
        if (hit >= part_start + 2 && buffer_.compare(hit - 2, 2, "--") == 0)
            line_start = hit - 2;
        const bool at_line_start = line_start == part_start || buffer_[line_start - 1] == '\n';
        if (!at_line_start) {
            scan_from_ = hit + 1;
            continue;
        }
        // A boundary line holds nothing but the boundary, "--" after it when it closes, and blanks.
        const std::size_t line_end = buffer_.find('\n', hit + boundary_.size());
        if (line_end == std::string::npos) {
            if (buffer_.size() - hit > boundary_.size() + 80) {
                scan_from_ = hit + 1;
                continue;
            }
            scan_from_ = hit;  // cannot tell yet
            return;
        }
        if (Boundary_Kind(std::string_view(buffer_).substr(line_start, line_end - line_start)) == 0) {
            scan_from_ = hit + 1;
            continue;
        }
        std::size_t end = line_start;  // the line end before the boundary line belongs to the framing
        if (end > part_start && buffer_[end - 1] == '\n')
            --end;
        if (end > part_start && buffer_[end - 1] == '\r')
            --end;
        std::string part = buffer_.substr(part_start, end - part_start);
        pos_ = line_start;
        Emit(std::move(part), on_part);
        return;
    }
}

Multipart_Parser::Status Multipart_Parser::Finish(const Part_Function& on_part)
{
    if (step_ == Step::Part_Scan) {
        std::size_t end = buffer_.size();
        while (end > pos_ && (buffer_[end - 1] == '\n' || buffer_[end - 1] == '\r'))
            --end;
        std::string part = buffer_.substr(pos_, end - pos_);
        buffer_.clear();
        pos_ = 0;
        Emit(std::move(part), on_part);
    } else if (step_ == Step::Part_Length || step_ == Step::Part_Head) {
        Fail("The stream ended in the middle of a picture.");
        return State();
    }
    if (step_ != Step::Failed)
        step_ = Step::Closed;
    return State();
}

Multipart_Parser::Status Multipart_Parser::Feed(std::string_view data, const Part_Function& on_part)
{
    if (step_ == Step::Closed || step_ == Step::Failed)
        return State();
    // Drop what was consumed before growing: the buffer holds at most one part and its framing.
    if (pos_ > 0 && (pos_ >= buffer_.size() / 2 || pos_ > 1 << 20)) {
        buffer_.erase(0, pos_);
        scan_from_ -= std::min(scan_from_, pos_);
        pos_ = 0;
    }
    buffer_.append(data);
    for (;;) {
        const Step before = step_;
        const std::size_t at = pos_;
        switch (step_) {
        case Step::Seek_Boundary: Seek_Boundary(); break;
        case Step::Part_Head: Part_Head(); break;
        case Step::Part_Length: Part_Length(on_part); break;
        case Step::Part_Scan: Part_Scan(on_part); break;
        case Step::Closed:
        case Step::Failed: return State();
        }
        if (step_ == before && pos_ == at)
            return State();  // needs more bytes
    }
}
