#pragma once

// NodeResponse: a change to the player's choices when a node is entered. An
// add-response offers a choice; a cut-response takes one, named by its tag, away.

#include <cstdint>
#include <memory>
#include <string>

#include "model/byte_codec.h"
#include "model/conditional.h"
#include "script/expression.h"
#include "script/value.h"

namespace tw {

enum ResponseType : std::int32_t { kResponseAdd = 0, kResponseCut = 1 };

// The base of the two response kinds: tag, optional condition, compiled condition.
class NodeResponse {
public:
    NodeResponse(const NodeResponse&) = delete;
    NodeResponse& operator=(const NodeResponse&) = delete;
    virtual ~NodeResponse();

    std::int32_t GetType() const { return type_; }
    const std::string& GetTag() const { return tag_; }
    void SetTag(std::string tag) { tag_ = std::move(tag); }
    bool HasCondition() const { return condition_ != nullptr; }
    const Conditional* GetCondition() const { return condition_.get(); }
    void SetCondition(std::unique_ptr<Conditional> condition);

    // Parses the condition (not checked statically); without one there is nothing to
    // compile. Throws SyntaxError; the response then has no compiled condition.
    void Compile();
    // True without a compiled condition, else the condition's value.
    Value Evaluate(const Environment& environment) const;
    // The condition of the last successful compile; null without one.
    const Expression* GetCompiled() const { return compiled_.get(); }

    // The player's line as the response list shows it was edited to text (already trimmed).
    // text becomes what the list shows; answers whether the response changed.
    virtual bool EditShownText(std::string& text) = 0;

    // type, tag, condition flag and expression, then the kind's two strings.
    void WriteRecord(ByteWriter& out) const;
    // Reads what follows the type code.
    void ReadBody(ByteReader& in);

protected:
    NodeResponse(std::int32_t type, std::string tag) : type_(type), tag_(std::move(tag)) {}

    // The kind's two strings, in order.
    virtual void WriteStrings(ByteWriter& out) const = 0;
    virtual void ReadStrings(ByteReader& in) = 0;

private:
    std::int32_t type_;
    std::string tag_;
    std::unique_ptr<Conditional> condition_;
    std::unique_ptr<Expression> compiled_;
};

// Offers a choice: the player's line and the node it leads to.
class NodeResponseAdd : public NodeResponse {
public:
    explicit NodeResponseAdd(std::string tag = {}) : NodeResponse(kResponseAdd, std::move(tag)) {}
    const std::string& GetPlayerText() const { return playerText_; }
    void SetPlayerText(std::string text) { playerText_ = std::move(text); }
    const std::string& GetGotoNode() const { return gotoNode_; }
    void SetGotoNode(std::string node) { gotoNode_ = std::move(node); }
    // A non-empty text becomes the player's line; an empty one puts the line back.
    bool EditShownText(std::string& text) override;

protected:
    void WriteStrings(ByteWriter& out) const override {
        out.WriteString(playerText_);
        out.WriteString(gotoNode_);
    }
    void ReadStrings(ByteReader& in) override {
        playerText_ = in.ReadString();
        gotoNode_ = in.ReadString();
    }

private:
    std::string playerText_;
    std::string gotoNode_;
};

// Takes a choice away, with a copy of its player text kept for display.
class NodeResponseCut : public NodeResponse {
public:
    explicit NodeResponseCut(std::string tag = {}) : NodeResponse(kResponseCut, std::move(tag)) {}
    const std::string& GetCutTag() const { return cutTag_; }
    void SetCutTag(std::string tag) { cutTag_ = std::move(tag); }
    const std::string& GetCutText() const { return cutText_; }
    void SetCutText(std::string text) { cutText_ = std::move(text); }
    // The copy of the cut line is not edited here: the list shows it again.
    bool EditShownText(std::string& text) override;

protected:
    void WriteStrings(ByteWriter& out) const override {
        out.WriteString(cutTag_);
        out.WriteString(cutText_);
    }
    void ReadStrings(ByteReader& in) override {
        cutTag_ = in.ReadString();
        cutText_ = in.ReadString();
    }

private:
    std::string cutTag_;
    std::string cutText_;
};

// An empty response: type 0 makes an add-response, any other a cut-response.
std::unique_ptr<NodeResponse> MakeEmptyResponse(std::int32_t type);

}  // namespace tw
