# quillmere serve in a container: the release build on Debian 12 with LibreOffice and the fonts
# decks expect, run as a user without rights. Build with `docker build -t quillmere .` beside a
# checkout; see the README's "HTTP service" section for running it.

FROM debian:12 AS build
RUN apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
      g++ cmake make pkg-config libpugixml-dev libzip-dev zlib1g-dev libsqlite3-dev libgsf-1-dev \
      libcli11-dev libfmt-dev libcpp-httplib-dev nlohmann-json3-dev libreoffice-dev \
    && rm -rf /var/lib/apt/lists/*
WORKDIR /src
COPY . .
RUN cmake --preset release -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=OFF \
    && cmake --build --preset release -j"$(nproc)" --target quillmere quillmere-serve quillmere-render \
    && install -D -t /opt/quillmere/bin build/release/quillmere build/release/quillmere-serve build/release/quillmere-render

FROM debian:12-slim
RUN apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
      libpugixml1v5 libzip4 libgsf-1-114 libsqlite3-0 libfmt9 libcpp-httplib0.11 \
      libreoffice-impress fonts-crosextra-carlito fonts-crosextra-caladea fonts-liberation2 fonts-dejavu-core \
      curl ca-certificates \
    && rm -rf /var/lib/apt/lists/* \
    && useradd --create-home --uid 10001 quillmere \
    && install -d -o quillmere -g quillmere /var/lib/quillmere
COPY --from=build /opt/quillmere/bin/ /opt/quillmere/bin/
ENV PATH=/opt/quillmere/bin:$PATH
USER quillmere
WORKDIR /home/quillmere
# Results live here, and only here: mount a volume to keep them over a restart of the container.
VOLUME /var/lib/quillmere
EXPOSE 8080
# With QUILLMERE_TOKEN_FILE set the service needs the token, and the check brings it from the same file.
HEALTHCHECK --interval=30s --timeout=5s --start-period=20s CMD ["sh", "-c", \
  "if [ -n \"$QUILLMERE_TOKEN_FILE\" ]; then set -- -H \"Authorization: Bearer $(cat \"$QUILLMERE_TOKEN_FILE\")\"; fi; curl -fsS \"$@\" http://127.0.0.1:8080/healthz"]
# SIGTERM (docker stop) drains as Ctrl-C does: running exports are cancelled, waiting ones end.
STOPSIGNAL SIGTERM
ENTRYPOINT ["quillmere", "serve", "--listen", "0.0.0.0:8080", "--data", "/var/lib/quillmere"]
