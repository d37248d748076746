#pragma once
// The words of the generated database: a deterministic random source, a
// vocabulary of Serbian-like word forms (stems with the endings of Serbian
// declension and conjugation, synthesised from syllables) drawn with Zipf
// frequencies, and the legal tokens of real regulations: article and
// paragraph references, dates, gazette citations, amounts, punctuation
// attached to words. Texts are YUSCII bytes. The text builders below are
// the pieces the generator puts together; other generator files may add
// pieces of their own (tables, for example) beside them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace demo {

// splitmix64: the same sequence on every platform.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    bool chance(double p) { return unit() < p; }

  private:
    std::uint64_t state_;
};

// The text in capitals (A-Z and the Serbian letters).
std::string upperText(std::string_view s);

// The word forms, most frequent first: function words, the common stems of
// tax and labour law with their endings, then the synthesised forms. Built
// once from the seed; the same seed gives the same forms in the same order.
class Vocabulary {
  public:
    // synthesised: about how many stems to synthesise (each gives 8 to 16 forms).
    Vocabulary(std::uint64_t seed, int synthesisedStems);

    size_t size() const { return words_.size(); }
    size_t functionWords() const { return functionWords_; }
    const std::string& operator[](size_t rank) const { return words_[rank]; }

  private:
    std::vector<std::string> words_;
    size_t functionWords_ = 0;
};

// Sentences, paragraphs and phrases over a vocabulary, words drawn with
// Zipf frequencies (rank r with probability about 1 / r).
class Text {
  public:
    Text(const Vocabulary& vocabulary, Random& random);

    const std::string& word();
    const std::string& contentWord();  // never a function word
    // A legal token: "~lana 12.", a date, a gazette citation, an amount...
    std::string legalToken();

    // A sentence: capital first letter, words with commas and now and then
    // a legal token or a word in parentheses or quotes, a full stop.
    std::string sentence();
    std::string paragraph();             // one to four sentences
    std::string phrase(int lo, int hi);  // lo to hi content words
    std::string listItem(int number);    // "1) ... ;"

  private:
    size_t zipf(size_t first, size_t count);

    const Vocabulary& vocabulary_;
    Random& random_;
};

}  // namespace demo
