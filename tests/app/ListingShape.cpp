#include "ListingShape.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct TLine {
    std::string text;
    int tabs = 0;
    std::vector<std::unique_ptr<TLine>> children;
};

void Render(const TLine& line, int depth, std::string& out)
{
    if (line.tabs >= 0) out += ListingLine(line.tabs, line.text);
    std::vector<const TLine*> children;
    for (const auto& child : line.children) children.push_back(child.get());
    if (line.tabs + 1 != depth)
        std::sort(children.begin(), children.end(), [](const TLine* a, const TLine* b) { return a->text < b->text; });
    for (const TLine* child : children) Render(*child, depth, out);
}

} // namespace

std::string ListingLine(int tabs, const std::string& text) { return "\r\n" + std::string(tabs, '\t') + text; }

std::string CanonicalListing(const std::string& listing, int depth)
{
    if (listing.empty()) return {};
    if (!listing.starts_with("\r\n")) return "<listing does not start with CR LF>";

    TLine top;
    top.tabs = -1;
    std::vector<TLine*> open{&top};
    size_t start = 2;
    while (start <= listing.size()) {
        size_t end = listing.find("\r\n", start);
        if (end == std::string::npos) end = listing.size();
        std::string text = listing.substr(start, end - start);
        int tabs = static_cast<int>(text.find_first_not_of('\t'));
        if (tabs < 0) return "<empty line or line of tabs only>";
        text.erase(0, tabs);
        while (open.back()->tabs >= tabs) open.pop_back();
        TLine* parent = open.back();
        if (parent->tabs != tabs - 1) return "<line indented more than one level below its parent: " + text + ">";
        if (parent->tabs >= 0 && !text.starts_with(parent->text)) return "<line outside its parent: " + text + ">";
        parent->children.push_back(std::make_unique<TLine>(TLine{text, tabs, {}}));
        open.push_back(parent->children.back().get());
        start = end + 2;
    }
    std::string out;
    Render(top, depth, out);
    return out;
}
