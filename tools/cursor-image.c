/* Writes the X server's current cursor image as a PAM file (RGB_ALPHA) and prints the
 * position its top-left corner has on the screen: "x y". Screenshots of the X screen leave
 * the cursor out; this puts it back in. Usage: cursor-image OUT.pam */
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    Display* d = XOpenDisplay(NULL);
    if (!d)
        return 1;
    XFixesCursorImage* c = XFixesGetCursorImage(d);
    if (!c)
        return 1;
    FILE* f = fopen(argv[1], "wb");
    if (!f)
        return 1;
    fprintf(f, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n", c->width, c->height);
    for (int i = 0; i < c->width * c->height; ++i) {
        unsigned long p = c->pixels[i]; /* premultiplied ARGB */
        unsigned char a = (p >> 24) & 0xff, r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
        if (a) {
            r = (unsigned char)(r * 255 / a);
            g = (unsigned char)(g * 255 / a);
            b = (unsigned char)(b * 255 / a);
        }
        unsigned char px[4] = { r, g, b, a };
        fwrite(px, 1, 4, f);
    }
    fclose(f);
    printf("%d %d\n", c->x - c->xhot, c->y - c->yhot);
    XFree(c);
    XCloseDisplay(d);
    return 0;
}
