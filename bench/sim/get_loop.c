/* Sequential SNMPv2c GETs of one OID through net-snmp's library, as fast as the agent answers:
 * get_loop HOST:PORT COMMUNITY COUNT [OID]. Prints "COUNT SECONDS GETS_PER_SECOND". */
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: %s HOST:PORT COMMUNITY COUNT [OID]\n", argv[0]);
        return 2;
    }
    const long count = atol(argv[3]);
    const char *oidText = argc > 4 ? argv[4] : ".1.3.6.1.2.1.1.1.0";
    oid name[MAX_OID_LEN];
    size_t nameLength = MAX_OID_LEN;

    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    init_snmp("get_loop");
    if (!read_objid(oidText, name, &nameLength)) {
        fprintf(stderr, "bad OID %s\n", oidText);
        return 2;
    }
    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.peername = argv[1];
    settings.version = SNMP_VERSION_2c;
    settings.community = (u_char *)argv[2];
    settings.community_len = strlen(argv[2]);
    settings.timeout = 1000000;
    settings.retries = 0;
    netsnmp_session *session = snmp_open(&settings);
    if (!session) {
        snmp_perror("snmp_open");
        return 1;
    }
    const double start = now();
    for (long i = 0; i < count; ++i) {
        netsnmp_pdu *request = snmp_pdu_create(SNMP_MSG_GET);
        snmp_add_null_var(request, name, nameLength);
        netsnmp_pdu *response = NULL;
        const int status = snmp_synch_response(session, request, &response);
        if (status != STAT_SUCCESS || !response || response->errstat != SNMP_ERR_NOERROR) {
            fprintf(stderr, "request %ld failed\n", i);
            if (response)
                snmp_free_pdu(response);
            snmp_close(session);
            return 1;
        }
        snmp_free_pdu(response);
    }
    const double seconds = now() - start;
    printf("%ld %.3f %.0f\n", count, seconds, (double)count / seconds);
    snmp_close(session);
    snmp_shutdown("get_loop");
    return 0;
}
