// A second LZHUF decoder, written the plain C way straight from the format's description:
// a 16-bit bit buffer refilled byte by byte, a 4096-byte ring, the adaptive tree in 16-bit
// tables, the output buffer allocated once. It is the yardstick of bench_lzh and the
// reference that TLZH must agree with byte for byte, on any input.
#pragma once

#include <cstdint>
#include <vector>

namespace plainlzh {

class Decoder {
public:
    std::vector<std::uint8_t> Run(const std::vector<std::uint8_t>& source) {
        std::uint32_t size = 0;
        for (int k = 0; k < 4 && k < (int)source.size(); k++) size |= (std::uint32_t)source[k] << (8 * k);
        std::vector<std::uint8_t> out(size);
        in = source.data() + (source.size() < 4 ? source.size() : 4);
        in_end = source.data() + source.size();
        getbuf = 0;
        getlen = 0;
        StartTree();
        for (int i = 0; i < N - F; i++) ring[i] = ' ';
        for (int i = N - F; i < N + F - 1; i++) ring[i] = 0;
        int r = N - F;
        std::uint32_t count = 0;
        while (count < size) {
            int c = DecodeChar();
            if (c < 256) {
                out[count++] = (unsigned char)c;
                ring[r++] = (unsigned char)c;
                r &= N - 1;
            } else {
                int start = (r - DecodePosition() - 1) & (N - 1);
                int j = c - 255 + THRESHOLD;
                for (int k = 0; k < j && count < size; k++) {
                    unsigned char b = ring[(start + k) & (N - 1)];
                    out[count++] = b;
                    ring[r++] = b;
                    r &= N - 1;
                }
            }
        }
        return out;
    }

private:
    enum { N = 4096, F = 60, THRESHOLD = 2, N_CHAR = 256 - THRESHOLD + F, T = N_CHAR * 2 - 1, R = T - 1, MAX_FREQ = 0x8000 };

    static int DCode(int i) {
        if (i < 32) return 0;
        if (i < 80) return 1 + (i - 32) / 16;
        if (i < 144) return 4 + (i - 80) / 8;
        if (i < 192) return 12 + (i - 144) / 4;
        if (i < 240) return 24 + (i - 192) / 2;
        return 48 + (i - 240);
    }

    static int DLen(int i) {
        if (i < 32) return 3;
        if (i < 80) return 4;
        if (i < 144) return 5;
        if (i < 192) return 6;
        if (i < 240) return 7;
        return 8;
    }

    int NextByte() { return in < in_end ? *in++ : 0; }

    int GetBit() {
        while (getlen <= 8) {
            getbuf |= NextByte() << (8 - getlen);
            getlen += 8;
        }
        int i = (getbuf >> 15) & 1;
        getbuf = (getbuf << 1) & 0xFFFF;
        getlen--;
        return i;
    }

    int GetByte() {
        while (getlen <= 8) {
            getbuf |= NextByte() << (8 - getlen);
            getlen += 8;
        }
        int i = (getbuf >> 8) & 0xFF;
        getbuf = (getbuf << 8) & 0xFFFF;
        getlen -= 8;
        return i;
    }

    void StartTree() {
        int i, j;
        for (i = 0; i < N_CHAR; i++) {
            freq[i] = 1;
            son[i] = (short)(i + T);
            prnt[i + T] = (short)i;
        }
        for (i = 0, j = N_CHAR; j <= R; i += 2, j++) {
            freq[j] = (unsigned short)(freq[i] + freq[i + 1]);
            son[j] = (short)i;
            prnt[i] = prnt[i + 1] = (short)j;
        }
        freq[T] = 0xFFFF;
        prnt[R] = 0;
    }

    void Relink(int s, int node) {
        prnt[s] = (short)node;
        if (s < T) prnt[s + 1] = (short)node;
    }

    void Rebuild() {
        int i, j, k, m;
        for (i = 0, j = 0; i < T; i++)
            if (son[i] >= T) {
                freq[j] = (unsigned short)((freq[i] + 1) / 2);
                son[j] = son[i];
                j++;
            }
        for (i = 0, j = N_CHAR; j < T; i += 2, j++) {
            unsigned f = freq[i] + freq[i + 1];
            for (k = j - 1; f < freq[k]; k--) {}
            k++;
            for (m = j; m > k; m--) {
                freq[m] = freq[m - 1];
                son[m] = son[m - 1];
            }
            freq[k] = (unsigned short)f;
            son[k] = (short)i;
        }
        for (i = 0; i < T; i++) Relink(son[i], i);
    }

    void Update(int s) {
        if (freq[R] == MAX_FREQ) Rebuild();
        int c = prnt[s + T];
        do {
            unsigned k = ++freq[c];
            if (k > freq[c + 1]) {
                int l = c + 1;
                while (k > freq[l + 1]) l++;
                freq[c] = freq[l];
                freq[l] = (unsigned short)k;
                int a = son[c], b = son[l];
                Relink(a, l);
                Relink(b, c);
                son[l] = (short)a;
                son[c] = (short)b;
                c = l;
            }
        } while ((c = prnt[c]) != 0);
    }

    int DecodeChar() {
        int c = son[R];
        while (c < T) c = son[c + GetBit()];
        c -= T;
        Update(c);
        return c;
    }

    int DecodePosition() {
        int first = GetByte(), i = first;
        for (int j = DLen(first) - 2; j > 0; j--) i = (i << 1) + GetBit();
        return (DCode(first) << 6) | (i & 0x3F);
    }

    unsigned short freq[T + 1];
    short prnt[T + N_CHAR];
    short son[T];
    unsigned char ring[N + F - 1];
    const unsigned char* in = nullptr;
    const unsigned char* in_end = nullptr;
    unsigned getbuf = 0;
    int getlen = 0;
};

inline std::vector<std::uint8_t> Decode(const std::vector<std::uint8_t>& source) { return Decoder().Run(source); }

}  // namespace plainlzh
